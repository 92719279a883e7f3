// The session's and the view's commands, and the command states that follow them; the SHP
// dialog's form rules; the recovery schedule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_states.h"
#include "editor_commands.h"
#include "marker_commands.h"
#include "recovery_schedule.h"
#include "resource.h"
#include "shared_package.h"
#include "shp_form.h"

namespace {

TEST(CommandStates, FollowTheSessionAndTheView) {
  EditingSession session;
  std::string message;
  ASSERT_TRUE(session.Start(SharedPackage().AppDir(), message)) << message;
  ViewState view;
  const auto state = [&](int id) { return StateOfCommand(id, session, view); };

  EXPECT_EQ(state(IDM_UNDO), (CommandState{false, false, false}));
  EXPECT_EQ(state(IDM_REDO), (CommandState{false, false, false}));
  EXPECT_EQ(state(IDM_VIEW_TOP), (CommandState{true, true, false}));
  EXPECT_EQ(state(IDM_DELETE_ITEM), (CommandState{true, false, false}));
  EXPECT_EQ(state(IDM_MODE_SMALL_MAP), (CommandState{true, true, true}));
  EXPECT_EQ(state(IDM_MODE_LARGE_MAP), (CommandState{true, false, true}));
  EXPECT_EQ(state(IDM_SAVE_SHP), CommandState{});

  session.document().SetLayers(false, true);
  view = {EditMode::TargetBox, false, {true, false, true}, false};
  EXPECT_EQ(state(IDM_UNDO), (CommandState{true, false, false}));
  EXPECT_EQ(state(IDM_VIEW_TOP), (CommandState{true, false, false}));
  EXPECT_EQ(state(IDM_VIEW_BOTTOM), (CommandState{true, true, false}));
  EXPECT_EQ(state(IDM_STATUS_BAR), (CommandState{true, false, false}));
  EXPECT_EQ(state(IDM_PREVIEW_AS_EXPORTED), (CommandState{true, true, false}));
  EXPECT_EQ(state(IDM_PREVIEW_640), (CommandState{true, false, false}));
  EXPECT_EQ(state(IDM_MARK_INDEX0), (CommandState{true, true, false}));
  EXPECT_EQ(state(IDM_PASTE_SCREENSHOT), (CommandState{false, false, false}));
  EXPECT_EQ(state(IDM_MODE_TARGET_BOX), (CommandState{true, true, true}));
  EXPECT_EQ(state(IDM_MODE_SMALL_MAP), (CommandState{true, false, true}));
  session.Undo();
  EXPECT_EQ(state(IDM_REDO), (CommandState{true, false, false}));
}

class RecordingView final : public EditorView {
 public:
  void Repaint() override {}
  int Zoom() const override { return zoom; }
  void SetZoom(int value) override { zoom = value; }
  ViewArea Area() const override { return area; }
  EditMode Mode() const override { return mode; }
  void SetMode(EditMode value) override { mode = value; }
  PreviewChoice Preview() const override { return preview; }
  void SetPreview(const PreviewChoice& choice) override { preview = choice; }
  int zoom = 1;
  ViewArea area{840, 560};
  EditMode mode = EditMode::SmallMap;
  PreviewChoice preview;
};

TEST(EditorCommands, RunOnTheSessionAndTheViewAfterEndingAKeyRun) {
  EditingSession session;
  std::string message;
  ASSERT_TRUE(session.Start(SharedPackage().AppDir(), message)) << message;
  RecordingView view;
  session.Key(EditMode::SmallMap, keys::kRight, 1);
  session.Key(EditMode::SmallMap, keys::kRight, 1);
  EXPECT_FALSE(RunEditorCommand(session, view, IDM_SAVE_SHP));  // not the session's: the key run ends all the same
  session.Key(EditMode::SmallMap, keys::kRight, 1);
  EXPECT_EQ(session.history().UndoSteps(), 2u);
  EXPECT_TRUE(RunEditorCommand(session, view, IDM_VIEW_TOP));
  EXPECT_FALSE(session.document().viewTop);
  EXPECT_TRUE(RunEditorCommand(session, view, IDM_UNDO));
  EXPECT_TRUE(session.document().viewTop);
  EXPECT_TRUE(RunEditorCommand(session, view, IDM_MODE_TARGET_BOX));
  EXPECT_TRUE(RunEditorCommand(session, view, IDM_ZOOM_IN));
  EXPECT_TRUE(RunEditorCommand(session, view, IDM_PREVIEW_AS_EXPORTED));
  EXPECT_EQ(view.mode, EditMode::TargetBox);
  EXPECT_EQ(view.zoom, 2);
  EXPECT_EQ(view.preview, (PreviewChoice{true, false, false}));
  // Fit to window: the largest zoom that shows the whole picture in the view's room.
  EXPECT_TRUE(RunEditorCommand(session, view, IDM_FIT_TO_WINDOW));
  EXPECT_EQ(view.zoom, 1);
  view.area = {2500, 1600};
  EXPECT_TRUE(RunEditorCommand(session, view, IDM_FIT_TO_WINDOW));
  EXPECT_EQ(view.zoom, 3);
  EXPECT_EQ(StateOfCommand(IDM_PREVIEW_AS_EXPORTED, session, {view.mode, true, view.preview, true}),
            (CommandState{true, true, false}));
}

// The two pictures' items take turns, each switching the preview off when its picture
// shows; marking turns the preview on and stays through both pictures and off.
TEST(EditorCommands, PreviewItemsSwitchThePictureAndTheMarks) {
  EditingSession session;
  RecordingView view;
  const auto run = [&](int id) {
    EXPECT_TRUE(RunEditorCommand(session, view, id));
    return view.preview;
  };
  EXPECT_EQ(run(IDM_PREVIEW_640), (PreviewChoice{true, true, false}));
  EXPECT_EQ(run(IDM_PREVIEW_AS_EXPORTED), (PreviewChoice{true, false, false}));
  EXPECT_EQ(run(IDM_PREVIEW_AS_EXPORTED), (PreviewChoice{false, false, false}));
  EXPECT_EQ(run(IDM_MARK_INDEX0), (PreviewChoice{true, false, true}));
  EXPECT_EQ(run(IDM_PREVIEW_640), (PreviewChoice{true, true, true}));
  EXPECT_EQ(run(IDM_PREVIEW_640), (PreviewChoice{false, true, true}));
  EXPECT_EQ(run(IDM_MARK_INDEX0), (PreviewChoice{false, true, false}));
  ViewState state;
  state.preview = {true, true, true};
  EXPECT_EQ(StateOfCommand(IDM_PREVIEW_AS_EXPORTED, session, state), (CommandState{true, false, false}));
  EXPECT_EQ(StateOfCommand(IDM_PREVIEW_640, session, state), (CommandState{true, true, false}));
  EXPECT_EQ(StateOfCommand(IDM_MARK_INDEX0, session, state), (CommandState{true, true, false}));
}

TEST(ShpForm, ColourCountIsKeptInRange) {
  struct Row {
    unsigned count;
    bool empty, typing;
    std::optional<unsigned> written;
  };
  const Row rows[] = {{64, false, true, std::nullopt},
                      {0, true, true, std::nullopt},
                      {0, true, false, 1u},
                      {0, false, true, 1u},
                      {999, false, true, 256u},
                      {256, false, false, std::nullopt},
                      {1, false, false, std::nullopt}};
  for (const Row& row : rows)
    EXPECT_EQ(ClampedColourCount(row.count, row.empty, row.typing), row.written)
        << row.count << (row.empty ? " empty" : "") << (row.typing ? " typing" : "");
}

// A new palette's bare name lies beside the SHP and needs that folder; an existing
// palette's name is taken as it is and needs the file. The field starts with the SHP's own
// name for a new palette and says why OK waits.
TEST(ShpForm, PaletteNamePerMode) {
  const std::string shp = "C:\\mod\\sov01.shp";
  EXPECT_EQ(ProposedPaletteName(shp), "sov01.pal");
  EXPECT_EQ(ProposedPaletteName("C:\\mod\\ls.v2.shp"), "ls.v2.pal");
  EXPECT_EQ(ProposedPaletteName("C:\\mod\\screen"), "screen.pal");
  EXPECT_EQ(PaletteNameForMode(NewPalette, "", shp), "sov01.pal");
  EXPECT_EQ(PaletteNameForMode(NewPalette, "D:\\p.pal", shp), "D:\\p.pal");
  EXPECT_EQ(PaletteNameForMode(ExistingPalette, "", shp), "");
  EXPECT_EQ(PaletteFilePath(NewPalette, "sov01.pal", shp), "C:\\mod\\sov01.pal");
  EXPECT_EQ(PaletteFilePath(NewPalette, "D:\\p.pal", shp), "D:\\p.pal");
  EXPECT_EQ(PaletteFilePath(ExistingPalette, "sov01.pal", shp), "sov01.pal");

  std::vector<std::string> asked;
  const auto onlyMod = [&](const std::string& path) {
    asked.push_back(path);
    return path == "C:\\mod";
  };
  EXPECT_EQ(CheckPaletteName(NewPalette, "sov01.pal", shp, onlyMod), PaletteNameProblem::None);
  EXPECT_EQ(CheckPaletteName(NewPalette, "C:\\mod\\new.pal", shp, onlyMod), PaletteNameProblem::None);
  EXPECT_EQ(CheckPaletteName(NewPalette, "C:\\gone\\new.pal", shp, onlyMod), PaletteNameProblem::NoFolder);
  EXPECT_EQ(CheckPaletteName(NewPalette, "", shp, onlyMod), PaletteNameProblem::Empty);
  EXPECT_EQ(CheckPaletteName(ExistingPalette, "C:\\mod\\new.pal", shp, onlyMod), PaletteNameProblem::NoFile);
  EXPECT_EQ(CheckPaletteName(ExistingPalette, "", shp, onlyMod), PaletteNameProblem::Empty);
  EXPECT_EQ(asked, (std::vector<std::string>{"C:\\mod", "C:\\mod", "C:\\gone", "C:\\mod\\new.pal"}));
  EXPECT_TRUE(PaletteNameProblemLine(PaletteNameProblem::None).empty());
  EXPECT_EQ(Utf8Line(PaletteNameProblemLine(PaletteNameProblem::NoFolder), InterfaceLanguage::English),
            "There is no such folder.");
}

TEST(ShpForm, ChoicesRememberedAsTheDialogCloses) {
  ShpChoices remembered;
  ShpForm form = OpenShpForm("C:\\a.shp", remembered, MixChoice{true, "x.mix", "", ""});
  EXPECT_EQ(form.colourCount, 256u);
  EXPECT_EQ(form.paletteName, "a.pal");
  EXPECT_TRUE(form.mix.pack);
  form.paletteMode = ExistingPalette;
  form.browsedPalette = "C:\\p.pal";
  form.quantizer = Quantizer::Best;
  form.dither = true;
  RememberShpForm(form, false, remembered);  // cancelled: the mode and the browsed file stay
  EXPECT_EQ(remembered.paletteMode, ExistingPalette);
  EXPECT_EQ(remembered.browsedPalette, "C:\\p.pal");
  EXPECT_EQ(remembered.quantizer, Quantizer::Octree);
  RememberShpForm(form, true, remembered);
  EXPECT_EQ(remembered.quantizer, Quantizer::Best);
  EXPECT_TRUE(remembered.dither);
  form.paletteName = "C:\\p.pal";
  form.colourCount = 200;
  const ShpExportSettings settings = ShpExportSettingsOf(form);
  EXPECT_EQ(settings.exportPath, "C:\\a.shp");
  EXPECT_EQ(settings.palettePath, "C:\\p.pal");
  EXPECT_EQ(settings.colourCount, 200);
  EXPECT_EQ(settings.paletteMode, ExistingPalette);
  // With the MIX, the 640 x 400 picture goes beside the SHP.
  EXPECT_EQ(settings.ls640Path, "C:\\a6.shp");
  form.mix.pack = false;
  EXPECT_EQ(ShpExportSettingsOf(form).ls640Path, "");
  // Reopened in the existing palette's mode, the field starts empty.
  EXPECT_EQ(OpenShpForm("C:\\b.shp", remembered, {}).paletteName, "");
}

TEST(ShpForm, BareMixNameLiesBesideTheShp) {
  EXPECT_EQ(MixArchivePath("expandmd01.mix", "C:\\mod\\a.shp"), "C:\\mod\\expandmd01.mix");
  EXPECT_EQ(MixArchivePath("expandmd01.mix", "a.shp"), "expandmd01.mix");
  EXPECT_EQ(MixArchivePath("D:\\x.mix", "C:\\mod\\a.shp"), "D:\\x.mix");
  EXPECT_EQ(MixArchivePath("C:x.mix", "C:\\mod\\a.shp"), "C:x.mix");
}

TEST(RecoverySchedule, QuietTimeButNeverPastTheDeadline) {
  RecoverySchedule schedule;
  EXPECT_EQ(schedule.Changed(1000), kRecoveryQuietMs);
  EXPECT_EQ(schedule.Changed(2500), kRecoveryQuietMs);          // a burst goes on
  EXPECT_EQ(schedule.Changed(7500), 1500u);                     // the deadline is near
  EXPECT_EQ(schedule.Changed(1000 + kRecoveryDeadlineMs), 1u);  // and passed
  schedule.Stop();
  EXPECT_FALSE(schedule.Pending());
  EXPECT_EQ(schedule.Changed(20000), kRecoveryQuietMs);  // a new first change
  EXPECT_TRUE(schedule.Pending());
}

}  // namespace
