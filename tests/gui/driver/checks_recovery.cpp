// Recovery copies of unsaved work. An editor killed from outside with unsaved changes leaves
// a copy within seconds; the next start asks about it, and Yes gives back the same picture,
// marked unsaved under its scene's name; No deletes it. An editor running beside keeps its
// own copy and is not offered; undoing back to the saved screen and a clean exit remove the
// copy. A damaged copy is reported and renamed aside, never deleted. A copy that cannot be
// written says so in the status bar until a write succeeds.
#include <windows.h>

#include <cwctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "file_dialogs.h"
#include "input.h"
#include "package_staging.h"
#include "recovery_folders.h"
#include "recovery_question.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {

// The editor writes within 10 s of a change (sooner when the changes pause).
constexpr int kCopyWaitMs = 10000;
constexpr wchar_t kDeadCopy[] = L"editor-4000000-0000000000000001";

// The editor's text up to where `value` goes, and the rest.
std::pair<std::wstring, std::wstring> AroundValue(Text text, const char* name) {
  const std::wstring marked = EditorText({{text, {{name, "\x01"}}}});
  const std::size_t at = marked.find(L'\x01');
  return {marked.substr(0, at), at == std::wstring::npos ? std::wstring() : marked.substr(at + 1)};
}

void WriteText(const std::wstring& path, const char* text) {
  std::ofstream(std::filesystem::path(path), std::ios::binary) << text;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The complete copy of the editor with that process id, or empty.
std::wstring CopyOf(const EditorSession& session) {
  const std::wstring prefix = L"editor-" + std::to_wstring(session.process().id()) + L"-";
  for (const std::wstring& name : RecoveryEntries())
    if (name.rfind(prefix, 0) == 0 && name.find(L'.') == std::wstring::npos &&
        Exists(RecoveryFolder() + L"\\" + name + L"\\recovery.txt"))
      return name;
  return {};
}

bool WaitForCopy(const EditorSession& session) {
  return WaitUntil([&] { return !CopyOf(session).empty(); }, kCopyWaitMs);
}

bool Answer(HWND box, int button) {
  PostMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
  return WaitForWindowGone(box, kDefaultWaitMs);
}

// The close question, answered so that the editor closes and lets the changes go.
bool CloseLettingChangesGo(EditorSession& session) {
  PostMessageW(session.main(), WM_CLOSE, 0, 0);
  HWND box = session.WaitForDialog(L"Vantorel");
  DWORD code = 0;
  return box && Answer(box, IDNO) && session.process().WaitForExit(5000, code);
}

bool Start(const DriverContext& context, EditorSession& session, const std::string& name,
           const std::wstring& arguments = {}) {
  std::string error;
  session.KeepRecoveryCopies();
  return context.log.Expect(session.Start(context.packageDir, error, arguments), name, error);
}

bool IsClock(const std::wstring& text) {
  return text.size() == 5 && iswdigit(text[0]) && iswdigit(text[1]) && text[2] == L':' && iswdigit(text[3]) &&
         iswdigit(text[4]);
}

// The question of a start that found a copy of the screen of scene file `original`,
// checked (the scene named, the time of the copy, what No does) and answered.
bool AnswerQuestion(const DriverContext& context, EditorSession& session, int button, const std::wstring& original,
                    const std::string& name) {
  HWND box = session.WaitForDialog(L"Vantorel");
  if (!context.log.Expect(box != nullptr, name, "no question at the start")) return false;
  const std::wstring text = MessageBoxText(box);
  const std::wstring marked = EditorText(RecoveryQuestion(ToAnsi(original), "\x01").text);
  const std::size_t at = marked.find(L'\x01');
  const std::wstring start = marked.substr(0, at), end = marked.substr(at + 1);
  const bool asks = text.size() == start.size() + 5 + end.size() && text.rfind(start, 0) == 0 &&
                    IsClock(text.substr(start.size(), 5)) && text.substr(start.size() + 5) == end;
  context.log.Expect(asks, name + "_in_words", "the question is " + Quoted(text));
  return Answer(box, button);
}

MemoryImage PictureOf(const ScreenPicture& picture) {
  MemoryImage image;
  image.Create(picture.width, picture.height);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) image.WritePixel(x, y, picture.At(x, y));
  return image;
}

// Unsaved changes to a scene opened from the command line, the editor killed, the copy
// restored: the picture of before the kill.
void KillAndRestore(const DriverContext& context) {
  CheckLog& log = context.log;
  const std::wstring scene = context.scratchDir + L"\\recovered.ini";
  WriteText(scene, "[LoadScreen]\r\nSide=Soviet\r\nCameos=3\r\n");
  MemoryImage before;
  std::wstring killedCopy;
  {
    Scenario killed(context, "recovery");
    EditorSession& editor = killed.session;
    ExpectedScreen& model = killed.model;
    std::vector<CatalogueEntry> symbols;
    std::string error;
    if (!Start(context, editor, "recovery.start", L"\"" + scene + L"\"") ||
        !log.Expect(model.Load(ToAnsi(context.packageDir) + "\\", error) &&
                        ReadSymbolCatalogue(context, symbols, error),
                    "recovery.catalogue", error))
      return;
    editor.PressKey(VK_LEFT, kCtrl);
    if (!AddMarkerThroughDialog(killed, symbols, 1, IDC_SIDE_COLOUR_RED, "recovery.marker_added")) return;
    const ULONGLONG changed = GetTickCount64();
    if (!log.Expect(WaitForCopy(editor), "recovery.copy_within_10s_of_a_change",
                    "no copy " + std::to_string(GetTickCount64() - changed) + " ms after the change"))
      return;
    killedCopy = CopyOf(editor);
    ScreenPicture shown;
    ViewGeometry geometry;
    if (!log.Expect(editor.CaptureCanvas(shown, geometry), "recovery.picture_read", "cannot read the view")) return;
    before = PictureOf(shown);
    editor.process().Terminate();
  }
  EditorSession restored(context);
  if (!Start(context, restored, "recovery.start_after_kill") ||
      !AnswerQuestion(context, restored, IDYES, scene, "recovery.start_asks"))
    return;
  std::string detail;
  log.Expect(restored.ViewShows(before, detail), "recovery.yes_restores_the_picture", detail);
  // The view shows the restored screen before the editor marks it unsaved.
  ExpectTitle(context, restored, EditorText(Text::ProgramTitle) + L" - recovered.ini *",
              "recovery.restored_screen_is_unsaved");
  // The restored work is this editor's now: its own copy replaces the killed editor's, which
  // goes only after the new one is complete.
  const bool takenOver = WaitUntil(
      [&] {
        return !CopyOf(restored).empty() && !Exists(RecoveryFolder() + L"\\" + killedCopy) &&
               RecoveryEntries().size() == 1;
      },
      kCopyWaitMs);
  log.Expect(takenOver, "recovery.restored_copy_taken_over", std::to_string(RecoveryEntries().size()) + " entries");
  const std::wstring title = restored.Title();
  // Anything may have written the record's file name: Save asks for the file, proposing
  // it, and writes nothing until the user says where.
  const std::string sceneBefore = ReadWholeFile(scene);
  restored.PostCommand(IDM_SAVE_SCENE);
  HWND dialog = restored.WaitForDialog(EditorText(Text::SaveSceneCaption));
  const std::wstring proposed = dialog ? FileDialogName(dialog) : L"";
  log.Expect(dialog && (proposed == scene || proposed == L"recovered.ini"), "recovery.first_save_asks_for_the_file",
             dialog ? "the dialog proposes " + Quoted(proposed) : "Ctrl+S opened no save dialog");
  if (dialog) {
    PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    WaitForWindowGone(dialog, kDefaultWaitMs);
  }
  log.Expect(ReadWholeFile(scene) == sceneBefore && restored.Title() == title,
             "recovery.first_save_cancelled_writes_nothing", "the scene file or the title changed");
}

// No deletes the copy; then two editors side by side, each with its own copy.
void NoAndSideBySide(const DriverContext& context) {
  CheckLog& log = context.log;
  EditorSession first(context);
  if (!Start(context, first, "recovery.start_again") ||
      !AnswerQuestion(context, first, IDNO, context.scratchDir + L"\\recovered.ini", "recovery.asks_again"))
    return;
  log.Expect(WaitUntil([] { return RecoveryEntries().empty(); }, 2000), "recovery.no_deletes_the_copy",
             std::to_string(RecoveryEntries().size()) + " entries left");

  first.PressKey(VK_LEFT, kCtrl);
  EditorSession second(context);
  if (!Start(context, second, "recovery.second_editor")) return;
  log.Expect(!WaitForDialog(second.process().id(), L"Vantorel", 1000), "recovery.live_editor_not_offered",
             "the second editor asks about the first one's work");
  second.PressKey(VK_RIGHT, kCtrl);
  const bool both = WaitForCopy(first) && WaitForCopy(second);
  log.Expect(both && RecoveryEntries().size() == 2, "recovery.each_editor_its_own_copy",
             std::to_string(RecoveryEntries().size()) + " entries");
  second.Command(IDM_UNDO);
  log.Expect(WaitUntil([&] { return CopyOf(second).empty(); }, 2000) && !CopyOf(first).empty(),
             "recovery.undo_to_saved_deletes_only_its_copy", "after undo: " + std::to_string(RecoveryEntries().size()));
  log.Expect(CloseLettingChangesGo(first) && WaitUntil([] { return RecoveryEntries().empty(); }, 2000),
             "recovery.clean_exit_leaves_nothing", std::to_string(RecoveryEntries().size()) + " entries left");
}

// A copy whose record is garbage: reported, renamed aside, nothing asked.
void DamagedCopy(const DriverContext& context) {
  CheckLog& log = context.log;
  const std::wstring root = RecoveryFolder(), folder = root + L"\\" + kDeadCopy;
  CreateDirectoryW(root.substr(0, root.find_last_of(L'\\')).c_str(), nullptr);
  CreateDirectoryW(root.c_str(), nullptr);
  CreateDirectoryW(folder.c_str(), nullptr);
  WriteText(folder + L"\\recovery.txt", "\x01\x02 not a record");
  WriteText(folder + L"\\scene.ini", "[LoadScreen]\r\n");
  EditorSession editor(context);
  if (!Start(context, editor, "recovery.start_with_damaged_copy")) return;
  HWND box = editor.WaitForDialog(L"Vantorel");
  const std::wstring text = box ? MessageBoxText(box) : L"";
  log.Expect(text.rfind(AroundValue(Text::RecoveryDamaged, "reason").first, 0) == 0 &&
                 text.find(L".damaged") != std::wstring::npos,
             "recovery.damaged_copy_reported", box ? "the box says " + Quoted(text) : "no box");
  if (box) Answer(box, IDOK);
  const std::vector<std::wstring> entries = RecoveryEntries();
  log.Expect(entries == std::vector<std::wstring>{std::wstring(kDeadCopy) + L".damaged"} &&
                 Exists(folder + L".damaged\\recovery.txt") && !editor.WaitForDialog(L"Vantorel", 500),
             "recovery.damaged_copy_kept_aside", std::to_string(entries.size()) + " entries");
}

// A file where the recovery folder should be: the warning outlives keys and the preview's
// repaints, and goes once the folder can be made and a copy is written.
void WriteFailureStays(const DriverContext& context) {
  CheckLog& log = context.log;
  const std::wstring root = RecoveryFolder();
  RemoveRecoveryCopies();
  RemoveDirectoryW(root.c_str());
  WriteText(root, "not a folder");
  EditorSession editor(context);
  if (!Start(context, editor, "recovery.start_without_a_folder")) {
    DeleteFileW(root.c_str());
    return;
  }
  const std::wstring failed = AroundValue(Text::RecoveryWriteFailed, "reason").first;
  const auto warns = [&] { return editor.StatusText(2).rfind(failed, 0) == 0; };
  editor.PressKey(VK_LEFT, kCtrl);
  log.Expect(WaitUntil(warns, kCopyWaitMs), "recovery.write_failure_shown",
             "the status bar says " + Quoted(editor.StatusText(2)));
  editor.PressKey(VK_SHIFT, kNoModifier);
  editor.Command(IDM_PREVIEW_AS_EXPORTED);
  SendAndWait(editor.view(), WM_PAINT, 0, 0);
  log.Expect(warns(), "recovery.write_failure_outlives_keys_and_the_preview",
             "the status bar says " + Quoted(editor.StatusText(2)));
  DeleteFileW(root.c_str());
  editor.PressKey(VK_RIGHT, kCtrl);
  log.Expect(WaitUntil([&] { return !CopyOf(editor).empty() && !warns(); }, kCopyWaitMs),
             "recovery.write_failure_ends_when_a_write_succeeds",
             "the status bar says " + Quoted(editor.StatusText(2)));
  CloseLettingChangesGo(editor);
}

}  // namespace

void RunRecoveryChecks(const DriverContext& context) {
  RemoveRecoveryCopies();
  KillAndRestore(context);
  NoAndSideBySide(context);
  DamagedCopy(context);
  WriteFailureStays(context);
  RemoveRecoveryCopies();
}
