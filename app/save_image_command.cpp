#include "save_image_command.h"

#include <windows.h>

#include "app_state.h"
#include "image_file_dialogs_win32.h"
#include "memory_image.h"
#include "renderer.h"

void SaveAsImageCommand() {
  AppState& app = App();
  MemoryImage picture;
  if (!picture.Create(CanvasWidth, CanvasHeight)) {
    MessageBoxA(app.mainWindow, "Out of memory!", kErrorCaption, MB_ICONERROR);
    return;
  }
  RenderLoadScreen(Document(), &picture);
  if (ChooseImageToSave(app.mainWindow, app.exportPath, picture) == ImageSaveOutcome::Failed)
    MessageBoxA(app.mainWindow, "Error: Can't save the image file!", kErrorCaption, MB_ICONERROR);
}
