// Stand-ins for the template package, for tests and benchmarks that must not depend on it:
// a synthetic composed screen with a few thousand colours, a document filled with
// synthetic templates, and a package folder holding them as PNG files.
#pragma once

#include <filesystem>
#include <string>

#include "image_files.h"
#include "load_screen_document.h"
#include "memory_image.h"
#include "renderer.h"

namespace synthetic {

// A map-like area, an interface frame in a few greys with a transparent window, and a
// noisy "screenshot": about as many distinct colours as a real screen.
inline Pixel MapColour(int x, int y) {
  const unsigned r = (x * 3 / 8 + y / 5) & 0xFC, g = (y * 5 / 8 + x / 9) & 0xFC,
                 b = ((x / 16) * 13 + (y / 16) * 7) & 0xFF;
  return MakePixel(r / 2 + 40, g / 2 + 60, b / 3 + 50);
}

inline void FillWorldMap(MemoryImage& map, int width, int height) {
  map.Create(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) map.WritePixel(x, y, MapColour(x, y));
}

inline void FillFrame(MemoryImage& frame) {
  frame.Create(CanvasWidth, CanvasHeight);
  for (int y = 0; y < CanvasHeight; ++y)
    for (int x = 0; x < CanvasWidth; ++x) {
      const bool window = x >= 20 && x < 780 && y >= 20 && y < 360;
      const Pixel grey = MakePixel(90 + (x + y) % 6 * 8, 90 + (x + y) % 6 * 8, 100 + (x + y) % 6 * 8);
      frame.WritePixel(x, y, window ? kTransparentKey : grey);
    }
}

inline void FillScreenshot(MemoryImage& shot) {
  shot.Create(234, 232);
  unsigned seed = 12345;
  for (int y = 0; y < 232; ++y)
    for (int x = 0; x < 234; ++x) {
      seed = seed * 1103515245u + 12345u;
      const unsigned noise = (seed >> 16) & 15;
      shot.WritePixel(x, y, MakePixel((x + noise) & 0xFF, (y + 2 * noise) & 0xFF, (x + y) / 4 + noise));
    }
}

inline void FillBox(MemoryImage& box, int width, int height, Pixel colour) {
  box.Create(width, height);
  box.Fill(kTransparentKey);
  box.DrawRect(0, 0, width - 1, height - 1, colour);
}

// A document as the editor would hold it after loading the Allied templates.
inline void FillDocument(LoadScreenDocument& document) {
  document.side = Allied;
  document.cameoCount = 2;
  FillWorldMap(document.worldMap, 800, 520);
  FillWorldMap(document.worldMap2x, 1600, 1040);
  FillFrame(document.interfaceFrame);
  FillBox(document.largeTargetBox, 295, 289, 0xFFFFFF);
  FillBox(document.smallTargetBox, 59, 58, 0xC0C0C0);
  FillScreenshot(document.screenshot);
}

// The synthetic document, rendered: an 800 x 520 screen.
inline bool MakeScreen(MemoryImage& screen) {
  LoadScreenDocument document;
  FillDocument(document);
  if (!screen.Create(CanvasWidth, CanvasHeight)) return false;
  RenderLoadScreen(document, &screen);
  return true;
}

// Writes the synthetic templates as a package (Templates/*.png) into `folder`.
inline bool WritePackage(const std::string& folder) {
  LoadScreenDocument document;
  FillDocument(document);
  const std::string templates = folder + "/Templates/";
  std::error_code error;
  std::filesystem::create_directories(templates, error);
  return SaveImageFile((templates + "com_largetargetbox.png").c_str(), document.largeTargetBox) &&
         SaveImageFile((templates + "com_smalltargetbox.png").c_str(), document.smallTargetBox) &&
         SaveImageFile((templates + "com_worldmap2x.png").c_str(), document.worldMap2x) &&
         SaveImageFile((templates + "all_worldmap.png").c_str(), document.worldMap) &&
         SaveImageFile((templates + "all_2icomain.png").c_str(), document.interfaceFrame);
}

}  // namespace synthetic
