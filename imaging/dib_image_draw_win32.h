// Copying a DibImage to a device context (Windows only). Each call selects the image's DIB
// section into a temporary memory context and copies with SRCCOPY; an image without a
// bitmap draws nothing.
#pragma once

#include <windows.h>

#include "dib_image.h"

// The whole image to (x, y).
void Draw(const DibImage& image, HDC dc, int x, int y);
// The rectangle (srcX, srcY, w, h) to (x, y), cut at the image's right and bottom edges.
void DrawPart(const DibImage& image, HDC dc, int x, int y, int srcX, int srcY, int w, int h);
// Part (srcX, srcY, w, h) with every pixel a zoom x zoom block from (x, y) on: nearest
// neighbour, never smoothed.
void DrawZoomedPart(const DibImage& image, HDC dc, int x, int y, int srcX, int srcY, int w, int h, int zoom);
// The whole image stretched into (x, y, w, h); the caller sets the stretch mode.
void DrawStretched(const DibImage& image, HDC dc, int x, int y, int w, int h);
