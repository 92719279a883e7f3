#include "content_dialog_steps.h"

#include "file_dialogs.h"

#include "image_files.h"
#include "picture_compare.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "screen_capture.h"
#include "wait.h"
#include "wide_text.h"
#include "window_search.h"

MemoryImage MakeTestPicture(int width, int height) {
  MemoryImage picture;
  picture.Create(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.WritePixel(x, y, MakePixel(x * 7 + y * 3, x * 5 + y * 11 + 40, x * 13 + y * 17 + 90));
  return picture;
}

bool WriteTestPicture(const std::wstring& folder, const TestPicture& picture, std::string& error) {
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::string path = ToAnsi(folder + L"\\" + picture.file);
  if (SaveImageFile(path.c_str(), MakeTestPicture(picture.width, picture.height))) return true;
  error = "cannot write " + path;
  return false;
}

MemoryImage LoadPicture(const std::wstring& path) {
  MemoryImage image;
  LoadImageFile(ToAnsi(path).c_str(), image);
  return image;
}

std::vector<std::wstring> ComboLines(HWND combo) {
  std::vector<std::wstring> lines;
  LRESULT count = 0;
  if (!SendAndWait(combo, CB_GETCOUNT, 0, 0, &count) || count < 0) return lines;
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[512] = {};
    LRESULT length = 0;
    SendAndWait(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0, &length);
    if (length < 0 || length >= 512) {
      lines.push_back(L"<line too long>");
      continue;
    }
    SendAndWait(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    lines.push_back(text);
  }
  return lines;
}

LRESULT ComboSelection(HWND combo) {
  LRESULT selected = CB_ERR;
  SendAndWait(combo, CB_GETCURSEL, 0, 0, &selected);
  return selected;
}

void PostComboChoice(HWND dialog, int comboId, int line) {
  HWND combo = GetDlgItem(dialog, comboId);
  SendAndWait(combo, CB_SETCURSEL, static_cast<WPARAM>(line), 0);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

bool IsChecked(HWND dialog, int id) {
  LRESULT state = 0;
  return SendAndWait(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
}

bool AnswerMessageBox(const EditorSession& session, const std::wstring& caption, int button, std::wstring& text) {
  HWND box = session.WaitForDialog(caption);
  if (!box) return false;
  text = MessageBoxText(box);
  PostMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
  return WaitForWindowGone(box, kDefaultWaitMs);
}

bool NoWindowShows(const EditorSession& session, const std::wstring& caption, int waitMs) {
  return session.WaitForDialog(caption, waitMs) == nullptr;
}

HWND OpenLoadScreenSettings(EditorSession& session) {
  session.PostCommand(IDM_LOAD_SCREEN_SETTINGS);
  HWND dialog = session.WaitForDialog(texts::kLoadScreenSettingsCaption);
  if (dialog) session.ParkDialog(dialog);
  return dialog;
}

bool ChooseInOpenDialog(EditorSession& session, const std::wstring& path, std::string& error) {
  return ChooseInFileDialog(session, EditorText(Text::OpenImageCaption), path, error);
}

bool ChooseInFileDialog(EditorSession& session, const std::wstring& caption, const std::wstring& path,
                        std::string& error) {
  HWND chooser = session.WaitForDialog(caption);
  if (!chooser) {
    error = "no file dialog captioned " + Quoted(caption);
    return false;
  }
  HWND field = GetDlgItem(chooser, kFileNameField);
  if (!field || !SendAndWait(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()))) {
    error = "the open dialog has no file-name field";
    return false;
  }
  // Open may lead to a message box or the crop dialog: posted, not sent.
  PostMessageW(GetDlgItem(chooser, IDOK), BM_CLICK, 0, 0);
  if (!WaitForWindowGone(chooser, kDefaultWaitMs)) {
    error = "the open dialog stays open after Open with " + Quoted(path);
    return false;
  }
  return true;
}

bool BrowseForScreenshot(EditorSession& session, HWND settings, const std::wstring& path, std::string& error) {
  PostMessageW(GetDlgItem(settings, IDC_SCREENSHOT_BROWSE), BM_CLICK, 0, 0);
  return ChooseInOpenDialog(session, path, error);
}

bool ScreenShows(const RECT& screen, const Image& expected, int x, int y, std::string& detail) {
  ScreenPicture picture;
  PictureDifference difference;
  const bool same = WaitUntil(
      [&] {
        if (!CaptureScreen(screen, picture)) return false;
        difference = ComparePictures(picture, expected, x, y);
        return difference.count == 0;
      },
      kPictureWaitMs, 20);
  detail = same ? "" : DescribeDifference(difference);
  return same;
}

bool ControlShows(HWND control, const Image& expected, std::string& detail, const RECT* area) {
  RECT part{};
  if (area)
    part = *area;
  else
    GetClientRect(control, &part);
  POINT origin{part.left, part.top};
  ClientToScreen(control, &origin);
  const RECT screen{origin.x, origin.y, origin.x + part.right - part.left, origin.y + part.bottom - part.top};
  return ScreenShows(screen, expected, 0, 0, detail);
}

std::string CropLayoutProblems(HWND crop) {
  struct Control {
    int id;
    bool label;
  };
  static constexpr Control kControls[] = {{IDC_CROP_FILE_LABEL, true},
                                          {IDC_CROP_FILE_NAME, false},
                                          {IDC_CROP_PREVIEW, false},
                                          {IDC_CROP_X_LABEL, true},
                                          {IDC_CROP_X, false},
                                          {IDC_CROP_X_UPDOWN, false},
                                          {IDC_CROP_Y_LABEL, true},
                                          {IDC_CROP_Y, false},
                                          {IDC_CROP_Y_UPDOWN, false},
                                          {IDC_CROP_WIDTH_LABEL, true},
                                          {IDC_CROP_WIDTH, false},
                                          {IDC_CROP_HEIGHT_LABEL, true},
                                          {IDC_CROP_HEIGHT, false},
                                          {IDC_CROP_SCALE_LABEL, true},
                                          {IDC_CROP_SCALE, false},
                                          {IDC_CROP_SCALE_UPDOWN, false},
                                          {IDOK, false},
                                          {IDCANCEL, false}};
  RECT client{};
  GetClientRect(crop, &client);
  MapWindowPoints(crop, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT group{};
  GetWindowRect(GetDlgItem(crop, IDC_CROP_GROUP), &group);
  std::vector<RECT> placed;
  std::string problems;
  for (const Control& control : kControls) {
    HWND window = GetDlgItem(crop, control.id);
    RECT at{}, inside{};
    if (!window || !GetWindowRect(window, &at)) {
      problems += "no control " + std::to_string(control.id) + "; ";
      continue;
    }
    if (!IntersectRect(&inside, &at, &client) || !EqualRect(&inside, &at))
      problems += std::to_string(control.id) + " leaves the client area; ";
    if (control.label && ControlText(window).empty()) problems += "label " + std::to_string(control.id) + " is empty; ";
    for (std::size_t i = 0; i < placed.size(); ++i) {
      RECT overlap{};
      if (IntersectRect(&overlap, &at, &placed[i]))
        problems += std::to_string(control.id) + " overlaps " + std::to_string(kControls[i].id) + "; ";
    }
    placed.push_back(at);
  }
  // The position and size fields with their labels sit in the group box.
  for (int id : {IDC_CROP_X_LABEL, IDC_CROP_X, IDC_CROP_Y, IDC_CROP_WIDTH, IDC_CROP_HEIGHT_LABEL, IDC_CROP_HEIGHT}) {
    RECT at{}, inside{};
    GetWindowRect(GetDlgItem(crop, id), &at);
    if (!IntersectRect(&inside, &at, &group) || !EqualRect(&inside, &at))
      problems += std::to_string(id) + " is not inside the group box; ";
  }
  return problems;
}
