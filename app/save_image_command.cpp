#include "save_image_command.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "app_state.h"
#include "image_file_dialogs_win32.h"
#include "memory_image.h"
#include "proposed_file_name.h"
#include "renderer.h"
#include "saved_message.h"
#include "ui_texts.h"

void SaveAsImageCommand() {
  AppState& app = App();
  MemoryImage picture;
  if (!picture.Create(CanvasWidth, CanvasHeight)) {
    MessageBoxA(app.mainWindow, kOutOfMemory, kErrorCaption, MB_ICONERROR);
    return;
  }
  RenderLoadScreen(Document(), &picture);
  // Folder and name as last chosen in any file dialog, but never another type's extension.
  const std::string proposed = ProposedFileName(app.exportPath, {".png", ".bmp", ".jpg", ".jpeg", ".tga"}, ".bmp");
  if (proposed.size() < sizeof app.exportPath) std::memcpy(app.exportPath, proposed.c_str(), proposed.size() + 1);
  std::string reason;
  const ImageSaveOutcome outcome = ChooseImageToSave(app.mainWindow, app.exportPath, picture, &reason);
  if (outcome == ImageSaveOutcome::Saved) ShowSavedMessage({FileNameOfPath(app.exportPath)});
  if (outcome != ImageSaveOutcome::Failed) return;
  // The fixed message first, then the file and why it could not be written.
  std::string text = std::string(Text(UiText::ImageSaveFailed)) + "\n\n";
  text += app.exportPath;
  if (!reason.empty()) text += ":\n" + reason;
  MessageBoxA(app.mainWindow, text.c_str(), kErrorCaption, MB_ICONERROR);
}
