// Steps the cameo, screenshot and colourize scenarios share: the test pictures they load
// through the editor's dialogs, and the ways to work those dialogs as a user does.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "editor_session.h"
#include "image.h"
#include "memory_image.h"

// A generated test picture, written as a PNG file by WriteTestPicture.
struct TestPicture {
  const wchar_t* file;
  int width;
  int height;
};
inline constexpr TestPicture kShotExact{L"shot_234x232.png", 234, 232};
inline constexpr TestPicture kShotTooLow{L"shot_300x200.png", 300, 200};  // wide enough, too low
inline constexpr TestPicture kShotLarge{L"shot_480x300.png", 480, 300};
inline constexpr TestPicture kPreviewSmall{L"preview_100x50.png", 100, 50};  // first in its folder
inline constexpr TestPicture kCameoTooTall{L"cameo_76x61.png", 76, 61};

// The pixels of every test picture: neighbouring pixels differ in each channel, so a
// picture shown one pixel off, or cut from the wrong place, shows up in a comparison.
MemoryImage MakeTestPicture(int width, int height);
bool WriteTestPicture(const std::wstring& folder, const TestPicture& picture, std::string& error);
MemoryImage LoadPicture(const std::wstring& path);

std::vector<std::wstring> ComboLines(HWND combo);
LRESULT ComboSelection(HWND combo);
// Selects a combo line as the user does (CB_SETCURSEL, then CBN_SELCHANGE), without waiting:
// the editor may answer with a message box.
void PostComboChoice(HWND dialog, int comboId, int line);
bool IsChecked(HWND dialog, int id);

// Waits for a message box of the editor captioned `caption`, reads its text into `text`
// and presses `button`. False when none shows up or it does not close.
bool AnswerMessageBox(const EditorSession& session, const std::wstring& caption, int button, std::wstring& text);
// True when no window captioned `caption` shows up within waitMs.
bool NoWindowShows(const EditorSession& session, const std::wstring& caption, int waitMs);

// Opens the load screen settings dialog with the menu command and parks it off the view.
HWND OpenLoadScreenSettings(EditorSession& session);
// Presses the dialog's browse button and chooses `path` in the image open dialog (typed
// into its file-name field, then Open). False with `error` when a window does not answer.
bool BrowseForScreenshot(EditorSession& session, HWND settings, const std::wstring& path, std::string& error);
bool ChooseInOpenDialog(EditorSession& session, const std::wstring& path, std::string& error);
// The same in the file dialog captioned `caption` (open or save).
bool ChooseInFileDialog(EditorSession& session, const std::wstring& caption, const std::wstring& path,
                        std::string& error);

// What is wrong with the crop dialog's layout: controls that overlap (the group box holds
// the fields' row), leave the client area or the group, and labels without text. Empty when
// nothing is.
std::string CropLayoutProblems(HWND crop);

// Waits until the screen rectangle `screen` shows `expected` from its point (x, y) on;
// false with the difference described in `detail`.
bool ScreenShows(const RECT& screen, const Image& expected, int x, int y, std::string& detail);
// The same for the client area of `control`, or its part `area` (client pixels).
bool ControlShows(HWND control, const Image& expected, std::string& detail, const RECT* area = nullptr);
