#include "paste_screenshot_command.h"

#include <string>
#include <utility>

#include "app_state.h"
#include "clipboard_picture.h"
#include "main_window.h"
#include "resource.h"
#include "screenshot_choice.h"
#include "ui_language.h"

namespace {

bool inMenuLoop = false;

// The reason names files in the ANSI code page.
std::wstring Widened(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                         static_cast<int>(wide.size()));
  wide.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return wide;
}

void Tell(const std::wstring& text, UINT icon) {
  MessageBoxW(App().mainWindow, text.c_str(), L"Vantorel", icon);
}

}  // namespace

void PasteScreenshotCommand() {
  MemoryImage picture;
  std::string name, reason;
  switch (ReadClipboardPicture(App().mainWindow, picture, name, reason)) {
    case ClipboardPicture::kNone:
      Tell(UiIsEnglish() ? L"The clipboard holds no picture." : L"剪贴板里没有图片。", MB_ICONWARNING);
      return;
    case ClipboardPicture::kRefused:
      // The reason is the core's plain English, in both interfaces.
      Tell((UiIsEnglish() ? L"The clipboard's picture cannot be used:\n" : L"剪贴板里的图片无法使用：\n") +
               Widened(reason),
           MB_ICONERROR);
      return;
    case ClipboardPicture::kTaken:
      TakeScreenshotFrom(App().mainWindow, std::move(picture), name);
      return;
  }
}

void TrackPasteMenuItem(UINT message) {
  if (message == WM_ENTERMENULOOP) inMenuLoop = true;
  if (message == WM_INITMENUPOPUP && inMenuLoop)
    EnableMainMenuItem(MenuPopupEdit, IDM_PASTE_SCREENSHOT, ClipboardHoldsPicture());
  if (message == WM_EXITMENULOOP) {
    inMenuLoop = false;
    EnableMainMenuItem(MenuPopupEdit, IDM_PASTE_SCREENSHOT, true);
  }
}
