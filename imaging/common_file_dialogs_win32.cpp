#include "common_file_dialogs_win32.h"

namespace {

using FileDialog = BOOL(WINAPI*)(OPENFILENAMEA*);

// The entry point of comdlg32.dll, loaded once and kept for the rest of the run.
FileDialog Entry(const char* name) {
  static const HMODULE library = LoadLibraryA("comdlg32.dll");
  return library ? reinterpret_cast<FileDialog>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace

BOOL ShowOpenFileDialog(OPENFILENAMEA* dialog) {
  static const FileDialog show = Entry("GetOpenFileNameA");
  return show ? show(dialog) : FALSE;
}

BOOL ShowSaveFileDialog(OPENFILENAMEA* dialog) {
  static const FileDialog show = Entry("GetSaveFileNameA");
  return show ? show(dialog) : FALSE;
}
