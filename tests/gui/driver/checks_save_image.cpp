// Save as image: the file's extension chooses the format; PNG and BMP hold exactly the
// renderer's picture, JPEG the picture's size, GIF (256 colours) a picture close to it.
// Replacing a file is asked first; a format that cannot be written is reported and writes
// nothing.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "file_dialogs.h"
#include "image_files.h"
#include "input.h"
#include "memory_image.h"
#include "package_staging.h"
#include "remote_controls.h"
#include "renderer.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {
// Opens save as image and types `path`; the file dialog, or null when it did not open.
HWND StartSave(EditorSession& session, const std::wstring& path) {
  session.PostCommand(IDM_SAVE_IMAGE);
  HWND fileDialog = WaitForFileDialog(session.process().id());
  return fileDialog && ChooseFileName(fileDialog, path) ? fileDialog : nullptr;
}

// The editor saves once its file dialog has gone; the file appears whole, by a rename.
enum class Match { Exact, Size, Close };

// The mean difference of the channels, 0 to 255.
double MeanDifference(const Image& a, const Image& b) {
  long long sum = 0;
  for (int y = 0; y < CanvasHeight; ++y)
    for (int x = 0; x < CanvasWidth; ++x) {
      const Pixel p = a.GetRow(y)[x], q = b.GetRow(y)[x];
      sum += std::abs(int(RedOf(p)) - int(RedOf(q))) + std::abs(int(GreenOf(p)) - int(GreenOf(q))) +
             std::abs(int(BlueOf(p)) - int(BlueOf(q)));
    }
  return static_cast<double>(sum) / (3.0 * CanvasWidth * CanvasHeight);
}

void CheckSavedPicture(const Scenario& s, const std::wstring& path, const Image& expected, Match match,
                       const std::string& name) {
  const bool exact = match == Match::Exact;
  MemoryImage saved;
  const std::string file = ToAnsi(path);
  if (!s.log().Expect(WaitUntil([&] { return LoadImageFile(file.c_str(), saved); }, 10000, 20), name,
                      "no readable file"))
    return;
  bool same = saved.width == CanvasWidth && saved.height == CanvasHeight;
  for (int y = 0; same && exact && y < CanvasHeight; ++y)
    same = std::memcmp(saved.GetRow(y), expected.GetRow(y), CanvasWidth * sizeof(Pixel)) == 0;
  if (same && match == Match::Close) {
    const double difference = MeanDifference(saved, expected);
    s.log().Expect(difference < 4.0, name, "the mean channel difference is " + std::to_string(difference));
    return;
  }
  s.log().Expect(same, name,
                 "the file holds " + std::to_string(saved.width) + " x " + std::to_string(saved.height) +
                     (exact ? " pixels, not the renderer's" : " pixels"));
}
}  // namespace

void RunSaveImageChecks(const DriverContext& context) {
  const std::wstring folder = context.scratchDir + L"\\save_image";
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  std::filesystem::create_directories(folder, ignored);
  Scenario s(context, "save_image");
  if (!s.Start()) return;
  s.Command(IDM_MODE_LARGE_MAP);
  s.session.PressKey(VK_DOWN, kCtrlShift);
  s.model.Key(VK_DOWN, kCtrlShift);
  MemoryImage expected;
  expected.Create(CanvasWidth, CanvasHeight);
  RenderLoadScreen(s.model.document(), &expected);

  const struct {
    const wchar_t* file;
    Match match;
    const char* name;
  } formats[] = {{L"\\screen.png", Match::Exact, "save_image.png_equals_render"},
                 {L"\\screen.bmp", Match::Exact, "save_image.bmp_equals_render"},
                 {L"\\screen.jpg", Match::Size, "save_image.jpeg_800_x_520"},
                 {L"\\screen.gif", Match::Close, "save_image.gif_close_to_render"}};
  for (const auto& format : formats) {
    HWND fileDialog = StartSave(s.session, folder + format.file);
    if (s.log().Expect(fileDialog && WaitForWindowGone(fileDialog, 10000), format.name, "no file dialog"))
      CheckSavedPicture(s, folder + format.file, expected, format.match, format.name);
  }

  // Replacing asks first; No returns to the file dialog and the file stays.
  const std::string png = ReadWholeFile(folder + L"\\screen.png");
  if (HWND fileDialog = StartSave(s.session, folder + L"\\screen.png")) {
    HWND question = WaitForReplaceQuestion(s.session.process().id(), fileDialog);
    if (question) PostMessageW(GetDlgItem(question, IDNO), BM_CLICK, 0, 0);
    s.log().Expect(question && WaitForWindowGone(question, kDefaultWaitMs) && IsWindowVisible(fileDialog),
                   "save_image.asks_before_replacing", "no question, or No does not return to the file dialog");
    PostMessageW(GetDlgItem(fileDialog, IDCANCEL), BM_CLICK, 0, 0);
    WaitForWindowGone(fileDialog, kDefaultWaitMs);
    s.log().Expect(ReadWholeFile(folder + L"\\screen.png") == png, "save_image.no_leaves_file", "the file changed");
  }

  // TIFF is not a format the image files know.
  StartSave(s.session, folder + L"\\screen.tif");
  HWND box = s.session.WaitForDialog(L"Error");
  const std::wstring text = box ? MessageBoxText(box) : L"";
  // The fixed message, then the file and why (the format is not one it writes).
  s.log().Expect(text.rfind(EditorText(Text::ImageSaveFailed), 0) == 0 &&
                     text.find(L"screen.tif") != std::wstring::npos &&
                     text.find(L"unsupported format") != std::wstring::npos,
                 "save_image.failure_reported", "the message is " + Quoted(text));
  if (box) PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  const auto files = std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator());
  s.log().Expect(files == 4, "save_image.failure_writes_nothing", std::to_string(files) + " files in the folder");
}
