// The session's and the view's commands, and the command states that follow them; the SHP
// dialog's form rules; the recovery schedule.
#include <gtest/gtest.h>

#include <string>

#include "command_states.h"
#include "editor_commands.h"
#include "marker_commands.h"
#include "recovery_schedule.h"
#include "resource.h"
#include "shp_form.h"
#include "shared_package.h"

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
  view = {EditMode::TargetBox, false, true, false};
  EXPECT_EQ(state(IDM_UNDO), (CommandState{true, false, false}));
  EXPECT_EQ(state(IDM_VIEW_TOP), (CommandState{true, false, false}));
  EXPECT_EQ(state(IDM_VIEW_BOTTOM), (CommandState{true, true, false}));
  EXPECT_EQ(state(IDM_STATUS_BAR), (CommandState{true, false, false}));
  EXPECT_EQ(state(IDM_PREVIEW_AS_EXPORTED), (CommandState{true, true, false}));
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
  bool PreviewOn() const override { return preview; }
  void SetPreview(bool on) override { preview = on; }
  int zoom = 1;
  ViewArea area{840, 560};
  EditMode mode = EditMode::SmallMap;
  bool preview = false;
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
  EXPECT_TRUE(view.preview);
  // Fit to window: the largest zoom that shows the whole picture in the view's room.
  EXPECT_TRUE(RunEditorCommand(session, view, IDM_FIT_TO_WINDOW));
  EXPECT_EQ(view.zoom, 1);
  view.area = {2500, 1600};
  EXPECT_TRUE(RunEditorCommand(session, view, IDM_FIT_TO_WINDOW));
  EXPECT_EQ(view.zoom, 3);
  EXPECT_EQ(StateOfCommand(IDM_PREVIEW_AS_EXPORTED, session, {view.mode, true, view.preview, true}),
            (CommandState{true, true, false}));
}

TEST(ShpForm, ColourCountIsKeptInRange) {
  struct Row {
    unsigned count;
    bool empty, typing;
    std::optional<unsigned> written;
  };
  const Row rows[] = {{64, false, true, std::nullopt}, {0, true, true, std::nullopt}, {0, true, false, 1u},
                      {0, false, true, 1u},            {999, false, true, 256u},       {256, false, false, std::nullopt},
                      {1, false, false, std::nullopt}};
  for (const Row& row : rows)
    EXPECT_EQ(ClampedColourCount(row.count, row.empty, row.typing), row.written)
        << row.count << (row.empty ? " empty" : "") << (row.typing ? " typing" : "");
}

TEST(ShpForm, PaletteNameCheckedPerMode) {
  EXPECT_EQ(PaletteNameToCheck(NewPalette, "C:\\mod\\sov01.pal"), "C:\\mod");
  EXPECT_EQ(PaletteNameToCheck(NewPalette, "mod/sov01.pal"), "mod");
  EXPECT_EQ(PaletteNameToCheck(NewPalette, "sov01.pal"), "sov01.pal");
  EXPECT_EQ(PaletteNameToCheck(ExistingPalette, "C:\\mod\\sov01.pal"), "C:\\mod\\sov01.pal");
  const auto onlyMod = [](const std::string& path) { return path == "C:\\mod"; };
  EXPECT_TRUE(PaletteNamePasses(NewPalette, "C:\\mod\\new.pal", onlyMod));
  EXPECT_FALSE(PaletteNamePasses(ExistingPalette, "C:\\mod\\new.pal", onlyMod));
}

TEST(ShpForm, ChoicesRememberedAsTheDialogCloses) {
  ShpChoices remembered;
  ShpForm form = OpenShpForm("C:\\a.shp", remembered, MixChoice{true, "x.mix"});
  EXPECT_EQ(form.colourCount, 256u);
  EXPECT_TRUE(form.paletteName.empty());
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
  EXPECT_EQ(schedule.Changed(2500), kRecoveryQuietMs);            // a burst goes on
  EXPECT_EQ(schedule.Changed(7500), 1500u);                       // the deadline is near
  EXPECT_EQ(schedule.Changed(1000 + kRecoveryDeadlineMs), 1u);    // and passed
  schedule.Stop();
  EXPECT_FALSE(schedule.Pending());
  EXPECT_EQ(schedule.Changed(20000), kRecoveryQuietMs);           // a new first change
  EXPECT_TRUE(schedule.Pending());
}

}  // namespace
