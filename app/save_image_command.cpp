#include "save_image_command.h"

#include <windows.h>

#include <string>

#include "app_state.h"
#include "image_file_dialogs_win32.h"
#include "memory_image.h"
#include "renderer.h"
#include "ui_texts.h"

void SaveAsImageCommand() {
  AppState& app = App();
  MemoryImage picture;
  if (!picture.Create(CanvasWidth, CanvasHeight)) {
    MessageBoxA(app.mainWindow, kOutOfMemory, kErrorCaption, MB_ICONERROR);
    return;
  }
  RenderLoadScreen(Document(), &picture);
  std::string reason;
  if (ChooseImageToSave(app.mainWindow, app.exportPath, picture, &reason) != ImageSaveOutcome::Failed) return;
  // The fixed message first, then the file and why it could not be written.
  std::string text = std::string(Text(UiText::ImageSaveFailed)) + "\n\n";
  text += app.exportPath;
  if (!reason.empty()) text += ":\n" + reason;
  MessageBoxA(app.mainWindow, text.c_str(), kErrorCaption, MB_ICONERROR);
}
