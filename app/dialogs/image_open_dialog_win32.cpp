// The image open dialog: the system's open dialog with template 108 beside its own
// controls. The template's ImagePreview pane shows the selected file scaled to fit, with
// the file's size as a caption. The dialog is modal, so one preview state serves it.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "common_file_dialogs_win32.h"
#include "dib_image.h"
#include "dib_image_draw_win32.h"
#include "image_file_dialogs_win32.h"
#include "image_files.h"
#include "language.h"
#include "preview_fit.h"
#include "resource.h"

namespace {

constexpr char kPreviewClassName[] = "ImagePreview";
// The frame bits of an overlapped window (caption, system menu, sizing border, minimize
// and maximize boxes) given to the system dialog.
constexpr LONG_PTR kOverlappedFrameBits = 0x00CF0000;
// The caption with the file's size takes the bottom strip of the pane.
constexpr int kCaptionStripHeight = 30;

HINSTANCE previewInstance = nullptr;
bool previewClassRegistered = false;

// The selected file as the pane shows it: made when the dialog opens, reloaded on every
// selection change, released when it closes.
struct PreviewState {
  std::unique_ptr<DibImage> image;
  bool valid = false;  // the image holds the currently selected file
};
PreviewState preview;

void PaintPreview(HWND pane, HDC dc) {
  RECT client;
  GetClientRect(pane, &client);
  SetBkMode(dc, TRANSPARENT);
  // The dialog's font, not the system font a new device context starts with.
  const auto font = reinterpret_cast<HFONT>(SendMessageA(GetParent(pane), WM_GETFONT, 0, 0));
  const HGDIOBJ previousFont = font ? SelectObject(dc, font) : nullptr;
  if (!preview.valid || !preview.image || !preview.image->IsValid()) {
    DrawTextW(dc, WideTextOf(Text::NoImagePreview).c_str(), -1, &client, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  } else {
    const DibImage& image = *preview.image;
    const PreviewPlacement at = FitPreview(image.width, image.height, client.right, client.bottom);
    if (at.width > 0 && at.height > 0) {
      if (at.scaled) {
        SetStretchBltMode(dc, COLORONCOLOR);
        DrawStretched(image, dc, at.x, at.y, at.width, at.height);
      } else {
        Draw(image, dc, at.x, at.y);
      }
    }
    // The file's own size, not the drawn one.
    char caption[32];
    std::snprintf(caption, sizeof caption, "%dx%d", image.width, image.height);
    RECT strip = client;
    strip.top = strip.bottom - kCaptionStripHeight;
    DrawTextA(dc, caption, -1, &strip, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }
  if (previousFont) SelectObject(dc, previousFont);
}

LRESULT CALLBACK ImagePreviewProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
    case WM_DESTROY: return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(pane, &paint);
      if (dc) PaintPreview(pane, dc);
      EndPaint(pane, &paint);
      return 0;
    }
    default: return DefWindowProcA(pane, message, wParam, lParam);
  }
}

void ResizeWithoutMoving(HWND dialog, int id, int width, int height) {
  SetWindowPos(GetDlgItem(dialog, id), nullptr, 0, 0, width, height > 0 ? height : 0,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ReloadPreview(HWND hookDialog) {
  char path[MAX_PATH] = "";
  SendMessageA(GetParent(hookDialog), CDM_GETFILEPATH, MAX_PATH - 1, reinterpret_cast<LPARAM>(path));
  path[MAX_PATH - 1] = '\0';
  if (preview.image) {
    preview.image->Free();
    // A folder, an unknown format or a damaged file leaves "No preview".
    preview.valid = path[0] != '\0' && LoadImageFile(path, *preview.image);
  }
  InvalidateRect(GetDlgItem(hookDialog, IDC_PREVIEW_PANE), nullptr, TRUE);
}

// `window` moved, not resized, the least distance that puts it inside its monitor's work
// area; one larger than the area keeps its top-left corner (and caption) on the screen.
void MoveInsideWorkArea(HWND window) {
  RECT now;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetWindowRect(window, &now) || !GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
    return;
  const RECT& area = monitor.rcWork;
  LONG left = std::min(now.left, area.right - (now.right - now.left));
  LONG top = std::min(now.top, area.bottom - (now.bottom - now.top));
  left = std::max(left, area.left);
  top = std::max(top, area.top);
  if (left != now.left || top != now.top)
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Receives the messages of the template-108 child dialog; its parent is the system dialog.
UINT_PTR CALLBACK OpenDialogHook(HWND hookDialog, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      preview.image = std::make_unique<DibImage>();
      preview.valid = false;
      SetDlgItemTextW(hookDialog, IDC_PREVIEW_LABEL, WideTextOf(Text::ImagePreviewLabel).c_str());
      HWND frame = GetParent(hookDialog);
      SetWindowLongPtrA(frame, GWL_STYLE, GetWindowLongPtrA(frame, GWL_STYLE) | kOverlappedFrameBits);
      SetWindowPos(frame, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
      return TRUE;
    }
    case WM_SIZE: {
      const int height = HIWORD(lParam);
      ResizeWithoutMoving(hookDialog, IDC_PREVIEW_FRAME, 230, height - 100);
      ResizeWithoutMoving(hookDialog, IDC_PREVIEW_PANE, 210, height - 120);
      return TRUE;
    }
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == CDN_SELCHANGE) ReloadPreview(hookDialog);
      // Grown by the preview pane, the system dialog may reach past the screen's edge.
      if (reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE) MoveInsideWorkArea(GetParent(hookDialog));
      return TRUE;
    case WM_DESTROY:
      preview.image.reset();
      preview.valid = false;
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void RegisterImagePreviewClass(HINSTANCE instance) {
  if (previewClassRegistered) return;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = ImagePreviewProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kPreviewClassName;
  previewClassRegistered = RegisterClassExA(&windowClass) != 0;
  previewInstance = instance;
}

ImageOpenOutcome ChooseImageToOpen(HWND owner, char* path, Image& image, std::string& reason) {
  // The dialog opens in the folder of the previous file, with an empty file-name field.
  char folder[MAX_PATH];
  std::snprintf(folder, sizeof folder, "%s", path);
  if (char* lastBackslash = std::strrchr(folder, '\\')) lastBackslash[1] = '\0';
  path[0] = '\0';

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  // Template 108 is a resource of the program, which links this library in.
  dialog.hInstance = previewInstance ? previewInstance : GetModuleHandleA(nullptr);
  dialog.lpstrFilter = ImageFilter[0] ? ImageFilter : nullptr;
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = folder[0] ? folder : nullptr;
  dialog.lpstrDefExt = "bmp";
  const std::string title = NarrowTextOf(Text::OpenImageCaption);
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK |
                 OFN_HIDEREADONLY;
  dialog.lpTemplateName = MAKEINTRESOURCEA(IDD_IMAGE_PREVIEW);
  dialog.lpfnHook = OpenDialogHook;
  if (!ShowOpenFileDialog(&dialog)) return ImageOpenOutcome::Cancelled;
  return LoadImageFile(path, image, reason) ? ImageOpenOutcome::Loaded : ImageOpenOutcome::Unreadable;
}
