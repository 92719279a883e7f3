// Save as image: the file's extension chooses the format; PNG and BMP hold exactly the
// renderer's picture, JPEG the picture's size. Replacing a file is asked first; a format
// that cannot be written is reported and writes nothing.
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "editor_ids.h"
#include "file_dialogs.h"
#include "image_files.h"
#include "input.h"
#include "memory_image.h"
#include "remote_controls.h"
#include "renderer.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {
namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Save as image to `path` through the file dialog; waits until the dialog has gone. A
// failure is reported as check `name`.
bool SaveThroughDialog(const DriverContext& context, EditorSession& session, const fs::path& path,
                       const std::string& name) {
  session.PostCommand(ids::kSaveImage);
  HWND fileDialog = WaitForFileDialog(session.process().id());
  std::string error = fileDialog ? "" : "no file dialog after the command";
  if (fileDialog && (!ChooseFileName(fileDialog, path.wstring()) || !WaitForWindowGone(fileDialog, 10000)))
    error = "the file dialog stays open";
  if (!error.empty()) context.log.Fail(name, error);
  return error.empty();
}

void CheckSavedPicture(const DriverContext& context, const fs::path& path, const Image& expected, bool exact,
                       const std::string& name) {
  // The editor saves once its file dialog has gone; the file appears whole, by a rename.
  MemoryImage saved;
  const std::string file = ToAnsi(path.wstring());
  if (!context.log.Expect(WaitUntil([&] { return LoadImageFile(file.c_str(), saved); }, 10000, 20), name,
                          "cannot read the file back"))
    return;
  bool same = saved.width == CanvasWidth && saved.height == CanvasHeight;
  for (int y = 0; same && exact && y < CanvasHeight; ++y)
    same = std::memcmp(saved.GetRow(y), expected.GetRow(y), CanvasWidth * sizeof(Pixel)) == 0;
  context.log.Expect(same, name,
                     "the file holds " + std::to_string(saved.width) + " x " + std::to_string(saved.height) +
                         (exact ? " pixels other than the renderer's" : " pixels"));
}
}  // namespace

void RunSaveImageChecks(const DriverContext& context) {
  const fs::path folder = fs::path(context.scratchDir) / L"save_image";
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  fs::create_directories(folder, ignored);
  EditorSession session(context);
  ExpectedScreen model;
  if (!StartScenario(context, session, model, "save_image", context.packageDir)) return;
  session.Command(ids::kModeLargeMap);
  model.SetMode(EditMode::LargeMap);
  session.PressKey(VK_DOWN, kCtrlShift);
  model.Key(VK_DOWN, kCtrlShift);
  MemoryImage expected;
  expected.Create(CanvasWidth, CanvasHeight);
  RenderLoadScreen(model.document(), &expected);

  const struct {
    const wchar_t* file;
    bool exact;
    const char* name;
  } formats[] = {{L"screen.png", true, "save_image.png_equals_render"},
                 {L"screen.bmp", true, "save_image.bmp_equals_render"},
                 {L"screen.jpg", false, "save_image.jpeg_800_x_520"}};
  for (const auto& format : formats)
    if (SaveThroughDialog(context, session, folder / format.file, format.name))
      CheckSavedPicture(context, folder / format.file, expected, format.exact, format.name);

  // Replacing asks first; No returns to the file dialog and the file stays.
  const std::string png = ReadAll(folder / L"screen.png");
  session.PostCommand(ids::kSaveImage);
  HWND fileDialog = WaitForFileDialog(session.process().id());
  if (fileDialog) {
    ChooseFileName(fileDialog, (folder / L"screen.png").wstring());
    HWND question = WaitForReplaceQuestion(session.process().id(), fileDialog);
    context.log.Expect(question != nullptr, "save_image.asks_before_replacing", "no question before replacing");
    if (question) PostMessageW(GetDlgItem(question, IDNO), BM_CLICK, 0, 0);
    context.log.Expect(question && WaitForWindowGone(question, kDefaultWaitMs) && IsWindowVisible(fileDialog),
                       "save_image.no_keeps_file_dialog", "the file dialog is gone after No");
    PostMessageW(GetDlgItem(fileDialog, IDCANCEL), BM_CLICK, 0, 0);
    WaitForWindowGone(fileDialog, kDefaultWaitMs);
    context.log.Expect(ReadAll(folder / L"screen.png") == png, "save_image.no_leaves_file", "the file changed");
  }

  // The image files read GIF but do not write it.
  if (SaveThroughDialog(context, session, folder / L"screen.gif", "save_image.unwritable_format")) {
    HWND box = session.WaitForDialog(L"Error");
    const std::wstring text = box ? MessageBoxText(box) : L"";
    context.log.Expect(text == texts::kImageSaveError, "save_image.failure_reported",
                       box ? "the message is " + Quoted(text) : "no message box captioned \"Error\"");
    if (box) PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    context.log.Expect(!fs::exists(folder / L"screen.gif") && std::distance(fs::directory_iterator(folder),
                                                                            fs::directory_iterator()) == 3,
                       "save_image.failure_writes_nothing", "a file was left in the folder");
  }
}
