#include "saved_message.h"

#include <windows.h>
#include <commctrl.h>

#include "app_state.h"
#include "main_window.h"
#include "ui_language.h"
#include "ui_texts.h"

namespace {

bool showing = false;

std::wstring Wide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

}  // namespace

std::string FileNameOfPath(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void ShowSavedMessage(const std::vector<std::string>& files, int colours, const std::wstring& note) {
  HWND bar = App().statusBar;
  if (!bar || files.empty()) return;
  const bool english = UiIsEnglish();
  // Written in UTF-16 so the Chinese words show whatever the ANSI code page is.
  std::wstring text = english ? L"Saved " : L"已保存 ";
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (i > 0) text += i + 1 == files.size() ? (english ? L" and " : L" 和 ") : L", ";
    text += Wide(files[i]);
  }
  if (colours > 0) text += L" (" + std::to_wstring(colours) + (english ? L" colours)" : L" 色)");
  if (!note.empty()) text += L" " + note;
  SendMessageW(bar, SB_SETTEXTW, StatusPartHint, reinterpret_cast<LPARAM>(text.c_str()));
  showing = true;
}

void EndSavedMessage() {
  if (!showing) return;
  showing = false;
  SetStatusText(StatusPartHint, Text(UiText::KeyHint));
}
