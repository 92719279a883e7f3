// The load screen renderer: the only place where the screen's geometry lives.
//
// RenderLoadScreen composes the whole document into a target that was created with
// CanvasWidth x CanvasHeight pixels, from a black fill on, drawing only through the Image
// operations, so the same composition runs on a DibImage (screen, clipboard) and a
// MemoryImage (files). It only reads the document.
#pragma once

#include "image.h"
#include "load_screen_document.h"

// Fixed geometry of the composition.
namespace layout {
inline constexpr Point kLargeTargetBox{346, 52};
inline constexpr int kLargeMapX = 353, kLargeMapY = 58, kLargeMapWidth = 281, kLargeMapHeight = 277;
inline constexpr int kCameoY = 380;
inline constexpr int kTwoCameoX[2] = {311, 405};
inline constexpr int kThreeCameoX[3] = {256, 350, 444};
inline constexpr Point kScreenshot{542, 267};
inline constexpr Pixel kTopFan[5] = {0xC0C0C0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xC0C0C0};
inline constexpr Pixel kBottomFan[5] = {0x969696, 0xC8C8C8, 0xC8C8C8, 0xC8C8C8, 0x969696};
}  // namespace layout

// Composes the document into `target` (nothing for null).
void RenderLoadScreen(const LoadScreenDocument& document, Image* target);
// The markers in list order, each keyed on pure blue, the selected one with an inverted
// outline.
void DrawMarkers(const LoadScreenDocument& document, Image& target);
// Shows `map` as an endless tiling in the window (x, y, w, h) of the target, starting at
// `offset` in the map. Pieces whose source would leave the map are skipped.
void PasteWrapped(Image& target, const Image& map, int x, int y, int w, int h, Point offset);
