#include "close_editor.h"

#include <string>

#include "app_state.h"
#include "file_commands.h"
#include "main_window_placement.h"
#include "ui_language.h"

namespace {

std::wstring Widened(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(static_cast<std::size_t>(length - 1));
  return wide;
}

// The scene's file name, or the word for a screen that was never saved.
std::wstring ScreenName() {
  const std::string& path = App().scenePath;
  if (path.empty()) return UiIsEnglish() ? L"Untitled" : L"无标题";
  const auto slash = path.find_last_of("\\/");
  return Widened(slash == std::string::npos ? path : path.substr(slash + 1));
}

// The question is built in UTF-16 so the Chinese words show whatever the code page is.
bool MayClose(HWND window) {
  if (!History().Modified()) return true;
  const std::wstring question = UiIsEnglish() ? L"Save changes to " + ScreenName() + L"?"
                                              : L"保存对 " + ScreenName() + L" 的更改吗?";
  switch (MessageBoxW(window, question.c_str(), L"Vantorel", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return SaveScreen();
    case IDNO: return true;
    default: return false;
  }
}

}  // namespace

void CloseEditor(HWND mainWindow) {
  if (!MayClose(mainWindow)) return;
  SaveMainWindowPlacement(mainWindow);
  DestroyWindow(mainWindow);
}
