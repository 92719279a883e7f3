// The save dialog of the image files: the system's plain save dialog on ImageFilter.
#include <windows.h>
#include <commdlg.h>

#include "common_file_dialogs_win32.h"
#include "image_file_dialogs_win32.h"
#include "image_files.h"

namespace {
constexpr DWORD kPathBufferSize = 260;
}

ImageSaveOutcome ChooseImageToSave(HWND owner, char* path, const char* defaultExtension, const Image& image,
                                   std::string* reason) {
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hInstance = GetModuleHandleA(nullptr);
  dialog.lpstrFilter = ImageFilter;
  dialog.lpstrFile = path;
  dialog.nMaxFile = kPathBufferSize;
  dialog.lpstrDefExt = defaultExtension;
  // The proposed name may well be a picture the user wants to keep: ask before replacing
  // a file, and accept names that do not exist yet.
  dialog.Flags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  if (!ShowSaveFileDialog(&dialog)) return ImageSaveOutcome::Cancelled;
  std::string why;
  if (SaveImageFile(path, image, why)) return ImageSaveOutcome::Saved;
  if (reason) *reason = why;
  return ImageSaveOutcome::Failed;
}
