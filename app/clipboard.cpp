#include "clipboard.h"

#include <windows.h>

#include "app_state.h"
#include "dib_image_draw_win32.h"
#include "gdi_handles.h"
#include "renderer.h"

void CopyToClipboard() {
  DibImage picture;
  if (!picture.Create(CanvasWidth, CanvasHeight)) return;
  RenderLoadScreen(Document(), &picture);

  WindowDc screen(nullptr);
  if (!screen) return;
  MemoryDc memory(screen);
  OwnedBitmap bitmap(CreateCompatibleBitmap(screen, picture.width, picture.height));
  if (!memory || !bitmap) return;
  {
    // Deselected again before the clipboard takes it: a bitmap must not stay in a context.
    SelectedObject selected(memory, bitmap.get());
    Draw(picture, memory, 0, 0);
  }

  if (!OpenClipboard(App().mainWindow)) return;
  if (EmptyClipboard() && SetClipboardData(CF_BITMAP, bitmap.get())) bitmap.Release();
  CloseClipboard();
}
