// Scene files in the editor. A screen made through the dialogs and keys is saved with Ctrl+S
// (which asks for a name, none being known yet); `vantorel-cli render` of the scene gives
// the core's picture of that screen; the title names the file and marks changes. The scene
// reopens to the same picture by command line, by the menu and by a drop (the drop asking
// first about unsaved changes); a scene with an error is refused with the tool's words; a
// dropped picture becomes the screenshot through the size checks and the crop question; a
// save into a read-only folder fails, says why and keeps the old file.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "content_commands.h"
#include "content_dialog_steps.h"
#include "crop_image.h"
#include "file_dialogs.h"
#include "image_files.h"
#include "input.h"
#include "package_staging.h"
#include "remote_controls.h"
#include "renderer.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {

// The first editor makes and saves the screen; the editors started after it on the saved
// scene are checked against the same model.
struct SceneRun : Scenario {
  explicit SceneRun(const DriverContext& context)
      : Scenario(context, "scenes"), folder(context.scratchDir + L"\\scenes"), scene(folder + L"\\mission1.ini") {}
  std::wstring folder;  // where the scenes go
  std::wstring scene;   // the scene saved there
  MemoryImage saved;    // the picture of the saved scene

  std::wstring Title(bool modified = false) const {
    return EditorText(Text::ProgramTitle) + L" - mission1.ini" + (modified ? L" *" : L"");
  }
  void ExpectSaved(const EditorSession& other, const std::string& name) const {
    std::string detail;
    log().Expect(other.ViewShows(saved, detail), name, detail);
  }
  // The model's picture in `other`, an editor started after the first.
  void ExpectModel(const EditorSession& other, const std::string& name) {
    std::string detail;
    log().Expect(other.ViewShows(model.Picture(), detail), name, detail);
  }
  void Remember() {
    saved.Create(CanvasWidth, CanvasHeight);
    saved.Paste(model.Picture(), 0, 0);
  }
};

std::wstring Quote(const std::wstring& path) { return L"\"" + path + L"\""; }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string FileBytes(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// Soviet with three slots, a cameo in the third, a screenshot, two markers, the world map
// and the target box moved: away from every default.
bool MakeScreen(SceneRun& s) {
  LoadScreenDocument& model = s.model.document();
  std::vector<CatalogueEntry> symbols, cameos;
  std::string error;
  const std::string settingsPath = ToAnsi(s.context.packageDir) + "\\Settings.ini";
  if (!ReadSymbolCatalogue(s.context, symbols, error) ||
      !LoadCatalogue(settingsPath.c_str(), kCameosListSection, CatalogueKind::Cameos, cameos, error) ||
      !WriteTestPicture(s.folder, kShotExact, error)) {
    s.log().Fail("scenes.stage", error);
    return false;
  }
  HWND settings = OpenLoadScreenSettings(s.session);
  if (!settings) {
    s.log().Fail("scenes.screen_made", "the load screen settings dialog did not open");
    return false;
  }
  ClickButton(settings, IDC_SIDE_SOVIET);
  model.SetSide(Soviet);
  ClickButton(settings, IDC_CAMEO_COUNT_3);
  model.SetCameoCount(3);
  PostComboChoice(settings, (IDC_CAMEO_1 + 2), 0);  // the catalogue's last cameo
  MemoryImage cameo;
  LoadImageFile(TemplatePath(model.appDir, cameos.back().fileName).c_str(), cameo);
  SetCameo(model, 2, std::move(cameo), cameos.back().fileName);
  const std::wstring shot = s.folder + L"\\" + kShotExact.file;
  const bool taken = BrowseForScreenshot(s.session, settings, shot, error);
  PostMessageW(GetDlgItem(settings, IDCANCEL), BM_CLICK, 0, 0);
  WaitForWindowGone(settings, kDefaultWaitMs);
  if (!taken) {
    s.log().Fail("scenes.screen_made", error);
    return false;
  }
  SetScreenshot(model, LoadPicture(shot), ToAnsi(shot));
  if (!AddMarkerThroughDialog(s, symbols, 2, IDC_SIDE_COLOUR_RED, "scenes.screen_made") ||
      !AddMarkerThroughDialog(s, symbols, 5, IDC_SIDE_COLOUR_PURPURE, "scenes.screen_made"))
    return false;
  for (int i = 0; i < 2; ++i) {
    s.session.PressKey(VK_LEFT, kCtrl);
    s.model.Key(VK_LEFT, kCtrl);
  }
  s.Command(IDM_MODE_TARGET_BOX);
  s.session.PressKey(VK_DOWN, kShift);
  s.model.Key(VK_DOWN, kShift);
  return s.View("scenes.screen_made");
}

// Ctrl+S with no file named yet: the save dialog, then the scene and its screenshot.
void SaveByShortcut(SceneRun& s) {
  // The screen has changes: untitled, and marked.
  const std::wstring untitled =
      EditorText({{Text::TitleWithSceneModified, {{"title", Text::ProgramTitle}, {"file", Text::Untitled}}}});
  s.log().Expect(s.session.Title() == untitled, "scenes.title_without_file_is_plain",
                 "the title is " + Quoted(s.session.Title()) + ", expected " + Quoted(untitled));
  TypeShortcut('S', kCtrl);
  // Without the shortcut, the menu command goes on with the same steps.
  if (!s.log().Expect(s.session.WaitForDialog(EditorText(Text::SaveSceneCaption), 1500) != nullptr,
                      "scenes.ctrl_s_asks_for_a_name", "no save dialog after Ctrl+S"))
    s.session.PostCommand(IDM_SAVE_SCENE);
  std::string error;
  if (!s.log().Expect(ChooseInFileDialog(s.session, EditorText(Text::SaveSceneCaption), s.scene, error),
                      "scenes.save_dialog_takes_the_name", error))
    return;
  const std::wstring screenshot = s.folder + L"\\mission1.screenshot.png";
  const bool written = WaitUntil([&] { return Exists(s.scene) && Exists(screenshot); });
  s.log().Expect(written, "scenes.scene_and_screenshot_written", "no mission1.ini with mission1.screenshot.png");
  ExpectTitle(s.context, s.session, s.Title(), "scenes.title_names_the_file");
  s.Remember();
}

// The tool renders the saved scene as the core renders the screen, and as the editor's own
// save as image writes it.
void ToolRendersTheScene(SceneRun& s) {
  const std::wstring cli = s.context.packageDir + L"\\vantorel-cli.exe";
  const long exitCode = RunProgram(
      Quote(cli) + L" render mission1.ini -o rendered.png --package " + Quote(s.context.packageDir), s.folder);
  const MemoryImage rendered = LoadPicture(s.folder + L"\\rendered.png");
  MemoryImage expected;
  expected.Create(CanvasWidth, CanvasHeight);
  RenderLoadScreen(s.model.document(), &expected);
  const auto differing = [&rendered](const Image& other) {
    long long count = rendered.IsValid() && other.IsValid() ? 0 : -1;
    for (int y = 0; count >= 0 && y < CanvasHeight; ++y)
      for (int x = 0; x < CanvasWidth; ++x) count += rendered.ReadPixel(x, y) != other.ReadPixel(x, y);
    return count;
  };
  s.log().Expect(exitCode == 0 && differing(expected) == 0, "scenes.tool_renders_the_saved_screen",
                 "exit code " + std::to_string(exitCode) + ", " + std::to_string(differing(expected)) +
                     " pixels differ");

  const std::wstring imagePath = s.folder + L"\\editor.png";
  s.session.PostCommand(IDM_SAVE_IMAGE);
  HWND fileDialog = WaitForFileDialog(s.session.process().id());
  MemoryImage image;
  const bool saved = fileDialog && ChooseFileName(fileDialog, imagePath) &&
                     WaitUntil([&] { return LoadImageFile(ToAnsi(imagePath).c_str(), image); }, 10000, 20);
  s.log().Expect(saved && differing(image) == 0, "scenes.tool_render_equals_the_editors_image",
                 saved ? std::to_string(differing(image)) + " pixels differ" : "no image saved");
}

void ChangeAndSave(SceneRun& s) {
  s.session.PressKey(VK_UP, kNoModifier);
  s.model.Key(VK_UP, kNoModifier);
  ExpectTitle(s.context, s.session, s.Title(true), "scenes.change_marks_the_title");
  s.session.Command(IDM_SAVE_SCENE);
  ExpectTitle(s.context, s.session, s.Title(), "scenes.save_clears_the_mark");
  s.Remember();
}

// Everything is saved: the editor closes without a question.
bool CloseEditor(EditorSession& session) {
  PostMessageW(session.main(), WM_CLOSE, 0, 0);
  DWORD exitCode = 0;
  return session.process().WaitForExit(5000, exitCode);
}

void RefusedScene(SceneRun& s, EditorSession& session) {
  std::string error;
  const std::wstring bad = s.folder + L"\\bad.ini";
  if (!WriteFileIn(s.folder, L"bad.ini", "[LoadScreen]\r\nSide=Nod\r\n", error)) {
    s.log().Fail("scenes.bad_scene_refused_with_the_tools_words", error);
    return;
  }
  session.PostCommand(IDM_OPEN_SCENE);
  std::wstring text;
  const bool answered = ChooseInFileDialog(session, EditorText(Text::OpenSceneCaption), bad, error) &&
                        AnswerMessageBox(session, EditorText(Text::ProgramCaption), IDOK, text);
  const std::wstring want = bad + L": unknown side 'Nod' (Allied, Soviet or Yuri)";
  s.log().Expect(answered && text == want, "scenes.bad_scene_refused_with_the_tools_words",
                 answered ? "the message is " + Quoted(text) : error);
  s.ExpectSaved(session, "scenes.bad_scene_keeps_the_screen");
  ExpectTitle(s.context, session, s.Title(), "scenes.bad_scene_keeps_the_title");
}

// A drop of the scene over unsaved changes asks the close question, naming the scene; No
// lets them go.
void DropScene(SceneRun& s, EditorSession& session) {
  session.PressKey(VK_LEFT, kNoModifier);
  ExpectTitle(s.context, session, s.Title(true), "scenes.reopened_change_marks_the_title");
  std::wstring text;
  const bool asked = session.DropFile(s.scene) &&
                     AnswerMessageBox(session, EditorText(Text::ProgramCaption), IDNO, text);
  const std::wstring want = EditorText({{Text::CloseQuestion, {{"screen", "mission1.ini"}}}});
  s.log().Expect(asked && text == want, "scenes.drop_asks_about_unsaved_changes",
                 asked ? "the question is " + Quoted(text) : "no question");
  s.ExpectSaved(session, "scenes.drop_reopens_the_same_picture");
  ExpectTitle(s.context, session, s.Title(), "scenes.drop_reopens_unchanged");
}

// Dropped pictures go through the load screen settings dialog's checks.
void DropPictures(SceneRun& s, EditorSession& session) {
  std::string error;
  if (!WriteTestPicture(s.folder, kShotLarge, error) || !WriteTestPicture(s.folder, kShotTooLow, error)) {
    s.log().Fail("scenes.dropped_picture_cropped", error);
    return;
  }
  std::wstring text;
  const std::wstring large = s.folder + L"\\" + kShotLarge.file;
  bool cropped = session.DropFile(large) && AnswerMessageBox(session, EditorText(Text::ProgramCaption), IDYES, text) &&
                 text == EditorText(Text::CropQuestion);
  HWND crop = cropped ? session.WaitForDialog(texts::kCropCaption) : nullptr;
  cropped = crop && PostMessageW(GetDlgItem(crop, IDOK), BM_CLICK, 0, 0) && WaitForWindowGone(crop, kDefaultWaitMs);
  MemoryImage screenshot;
  CropImage(screenshot, LoadPicture(large), 0, 0, ScreenshotWidth, ScreenshotHeight);
  SetScreenshot(s.model.document(), std::move(screenshot), ToAnsi(large));
  s.log().Expect(cropped, "scenes.dropped_picture_asks_and_crops", "the crop question or dialog did not come");
  s.ExpectModel(session, "scenes.dropped_picture_is_the_screenshot");

  const bool refused = session.DropFile(s.folder + L"\\" + kShotTooLow.file) &&
                       AnswerMessageBox(session, EditorText(Text::ProgramCaption), IDOK, text);
  s.log().Expect(refused && text == EditorText(Text::ScreenshotTooSmall), "scenes.dropped_small_picture_refused",
                 refused ? "the message is " + Quoted(text) : "no message");
  s.ExpectModel(session, "scenes.dropped_small_picture_changes_nothing");
}

// A scene and its screenshot named in other scripts open from the command line as they do
// in the tool: the name reaches the editor whole and the file's UTF-8 names are used as such.
void NamesInOtherScripts(SceneRun& s) {
  const std::wstring scene = s.folder + L"\\\u6218\u5f79 \u00fc.ini", shot = L"\u622a\u56fe \u00fc.png";
  std::string text = FileBytes(s.scene);
  const std::string oldShot = "mission1.screenshot.png";
  const auto at = text.find(oldShot);
  const bool staged = at != std::string::npos && CopyFileW((s.folder + L"\\mission1.screenshot.png").c_str(),
                                                           (s.folder + L"\\" + shot).c_str(), FALSE);
  if (staged) text.replace(at, oldShot.size(), Utf8(shot));
  std::ofstream(std::filesystem::path(scene), std::ios::binary) << text;
  EditorSession session(s.context);
  std::string error;
  if (!s.log().Expect(staged && session.Start(s.context.packageDir, error, Quote(scene)), "scenes.unicode_name_start",
                      staged ? error : "mission1.ini names no screenshot"))
    return;
  s.ExpectSaved(session, "scenes.unicode_names_open_the_same_picture");
  ExpectTitle(s.context, session, EditorText(Text::ProgramTitle) + L" - \u6218\u5f79 \u00fc.ini",
              "scenes.unicode_name_in_title");
}

// run_gui_tests.sh leaves scratch\readonly\locked.ini in a folder nobody may write to.
void ReadOnlyFolder(SceneRun& s, EditorSession& session) {
  const std::wstring folder = s.context.scratchDir + L"\\readonly", locked = folder + L"\\locked.ini";
  const std::wstring probe = folder + L"\\probe.tmp";
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (!Exists(locked) || file != INVALID_HANDLE_VALUE) {
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    s.log().Note("scenes.read_only_folder skipped: no folder the tests cannot write to (running with root's rights?)");
    return;
  }
  const std::string before = FileBytes(locked);
  std::wstring text;
  // The screen has the dropped screenshot: its changes are let go.
  if (!session.DropFile(locked) || !AnswerMessageBox(session, EditorText(Text::ProgramCaption), IDNO, text)) {
    s.log().Fail("scenes.read_only_save_refused", "the locked scene did not open");
    return;
  }
  session.PressKey(VK_RIGHT, kNoModifier);
  session.PostCommand(IDM_SAVE_SCENE);
  const bool told = AnswerMessageBox(session, EditorText(Text::ErrorCaption), IDOK, text);
  s.log().Expect(told && text.rfind(EditorText({{Text::SceneSaveFailed, {{"reason", ""}}}}), 0) == 0 &&
                     text.find(L"locked.ini") != std::wstring::npos,
                 "scenes.read_only_save_refused_with_the_reason",
                 told ? "the message is " + Quoted(text) : "no message");
  s.log().Expect(FileBytes(locked) == before && !Exists(folder + L"\\locked.screenshot.png"),
                 "scenes.read_only_save_keeps_the_old_file", "locked.ini changed or a screenshot appeared");
  ExpectTitle(s.context, session, EditorText(Text::ProgramTitle) + L" - locked.ini *",
              "scenes.read_only_save_keeps_the_mark");
}

}  // namespace

void RunSceneFileChecks(const DriverContext& context) {
  SceneRun s(context);
  CreateDirectoryW(s.folder.c_str(), nullptr);
  if (!s.Start() || !MakeScreen(s)) return;
  SaveByShortcut(s);
  ToolRendersTheScene(s);
  ChangeAndSave(s);
  if (!s.Expect(CloseEditor(s.session), "editor_closes", "closing a saved screen did not end it")) return;
  EditorSession session(context);
  std::string error;
  if (!context.log.Expect(session.Start(context.packageDir, error, Quote(s.scene)), "scenes.command_line_start", error))
    return;
  s.ExpectSaved(session, "scenes.command_line_reopens_the_same_picture");
  ExpectTitle(s.context, session, s.Title(), "scenes.command_line_names_the_file");
  s.model.SetMode(EditMode::SmallMap);
  RefusedScene(s, session);
  DropScene(s, session);
  DropPictures(s, session);
  ReadOnlyFolder(s, session);
  CloseEditor(session);
  NamesInOtherScripts(s);
}
