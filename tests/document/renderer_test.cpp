#include "renderer.h"

#include <gtest/gtest.h>

#include "dib_image.h"
#include "marker_commands.h"
#include "memory_image.h"
#include "test_images.h"

namespace {

MemoryImage Solid(int w, int h, Pixel colour) {
  MemoryImage image;
  image.Create(w, h);
  image.Fill(colour);
  return image;
}

MemoryImage Patterned(int w, int h, Pixel base) {
  MemoryImage image;
  image.Create(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.WritePixel(x, y, base + static_cast<Pixel>(y * 4096 + x));
  return image;
}

// A document with every image in place, built in memory.
struct Scene {
  LoadScreenDocument doc;
  Scene() {
    doc.side = Allied;
    doc.cameoCount = 2;
    doc.worldMap = Patterned(1000, 600, 0);
    doc.worldMap2x = Patterned(2000, 1200, 0x00800000);
    doc.interfaceFrame = Solid(800, 520, 0x00404040);
    // A window in the frame through which the map shows.
    for (int y = 10; y < 20; ++y)
      for (int x = 10; x < 20; ++x) doc.interfaceFrame.WritePixel(x, y, kTransparentKey);
    doc.largeTargetBox = Solid(295, 289, 0x00505050);
    doc.smallTargetBox = Solid(40, 40, 0x00E0E0E0);
    for (int y = 2; y < 38; ++y)
      for (int x = 2; x < 38; ++x) doc.smallTargetBox.WritePixel(x, y, kTransparentKey);
    for (int i = 0; i < 3; ++i) doc.cameos[i] = Solid(76, 60, 0x00A00000 + static_cast<Pixel>(i));
  }
  MemoryImage Render() const {
    MemoryImage canvas;
    canvas.Create(CanvasWidth, CanvasHeight);
    RenderLoadScreen(doc, &canvas);
    return canvas;
  }
};

}  // namespace

TEST(Renderer, BothLayersOffIsBlack) {
  Scene scene;
  scene.doc.viewTop = scene.doc.viewBottom = 0;
  MemoryImage canvas = Solid(800, 520, 0x00123456);
  RenderLoadScreen(scene.doc, &canvas);
  for (Pixel p : PixelsOf(canvas)) ASSERT_EQ(p, 0u);
  RenderLoadScreen(scene.doc, nullptr);  // harmless
}

TEST(Renderer, WorldMapWrapsAroundBothEdges) {
  Scene scene;
  scene.doc.viewTop = 0;
  scene.doc.smallMapOffset = {999, 599};
  const MemoryImage canvas = scene.Render();
  const MemoryImage& map = scene.doc.worldMap;
  EXPECT_EQ(canvas.ReadPixel(10, 10), map.ReadPixel(9, 9)) << "through the frame's key window";
  EXPECT_EQ(canvas.ReadPixel(11, 10), map.ReadPixel(10, 9));
  EXPECT_EQ(canvas.ReadPixel(20, 20), 0x00404040u) << "the frame itself";

  scene.doc.interfaceFrame.Free();
  scene.doc.cameos[0].Free();
  scene.doc.cameos[1].Free();
  const MemoryImage bare = scene.Render();
  EXPECT_EQ(bare.ReadPixel(0, 0), map.ReadPixel(999, 599)) << "one column and row from the offset";
  EXPECT_EQ(bare.ReadPixel(1, 0), map.ReadPixel(0, 599)) << "then the map's first column";
  EXPECT_EQ(bare.ReadPixel(0, 1), map.ReadPixel(999, 0)) << "and its first row";
  EXPECT_EQ(bare.ReadPixel(799, 519), map.ReadPixel(798, 518));
}

TEST(Renderer, AMapSmallerThanItsWindowLeavesTheMissingPieceBlack) {
  Scene scene;
  scene.doc.viewTop = 0;
  scene.doc.interfaceFrame.Free();
  scene.doc.cameos[0].Free();
  scene.doc.cameos[1].Free();
  scene.doc.worldMap = Patterned(300, 600, 1);
  scene.doc.smallMapOffset = {100, 0};
  const MemoryImage canvas = scene.Render();
  EXPECT_EQ(canvas.ReadPixel(199, 0), scene.doc.worldMap.ReadPixel(299, 0));
  EXPECT_EQ(canvas.ReadPixel(200, 0), 0u) << "the second piece would need 600 columns of a 300-wide map";
}

TEST(Renderer, CameoSlotsForTwoAndThree) {
  Scene scene;
  scene.doc.viewTop = 0;
  MemoryImage two = scene.Render();
  EXPECT_EQ(two.ReadPixel(311, 380), 0x00A00000u);
  EXPECT_EQ(two.ReadPixel(405 + 75, 380 + 59), 0x00A00001u);
  EXPECT_EQ(two.ReadPixel(310, 380), 0x00404040u);
  EXPECT_EQ(two.ReadPixel(444 + 75, 390), 0x00404040u) << "the third cameo stays loaded but is not drawn";

  scene.doc.cameoCount = 3;
  scene.doc.cameos[1].Free();
  MemoryImage three = scene.Render();
  EXPECT_EQ(three.ReadPixel(256, 380), 0x00A00000u);
  EXPECT_EQ(three.ReadPixel(350, 380), 0x00404040u) << "an empty slot shows the frame";
  EXPECT_EQ(three.ReadPixel(444, 380), 0x00A00002u);
}

TEST(Renderer, ScreenshotAndUpperLayer) {
  Scene scene;
  scene.doc.screenshot = Solid(234, 232, 0x00334455);
  const MemoryImage canvas = scene.Render();
  EXPECT_EQ(canvas.ReadPixel(700, 300), 0x00334455u);
  EXPECT_EQ(canvas.ReadPixel(775, 498), 0x00334455u);
  EXPECT_EQ(canvas.ReadPixel(542, 267), scene.doc.worldMap2x.ReadPixel(232 + 189, 103 + 209))
      << "the large map window covers the screenshot's corner";
  EXPECT_EQ(canvas.ReadPixel(346, 60), 0x00505050u) << "large target box";
  EXPECT_EQ(canvas.ReadPixel(353, 58), scene.doc.worldMap2x.ReadPixel(232, 103)) << "2x map window";
  EXPECT_EQ(canvas.ReadPixel(633, 334), scene.doc.worldMap2x.ReadPixel(232 + 280, 103 + 276));
  EXPECT_EQ(canvas.ReadPixel(634, 335), 0x00505050u);
  EXPECT_EQ(canvas.ReadPixel(232 + 39, 103 + 20), 0x00E0E0E0u) << "small box border";
  EXPECT_EQ(canvas.ReadPixel(232 + 20, 103 + 20), 0x00404040u) << "the small box's pure blue shows the frame";
}

TEST(Renderer, ZoomLinesReachOneFurtherInAMemoryImage) {
  Scene scene;
  scene.doc.viewBottom = 0;
  scene.doc.targetBoxPos = {232, 200};
  const MemoryImage memory = scene.Render();
  DibImage dib;
  dib.Create(CanvasWidth, CanvasHeight);
  RenderLoadScreen(scene.doc, &dib);
  // Top fan: from (232 + i, 200) to (346 + i, 52), outer lines darker.
  EXPECT_EQ(memory.ReadPixel(232, 200), 0x00C0C0C0u);
  EXPECT_EQ(memory.ReadPixel(233, 200), 0x00FFFFFFu);
  EXPECT_EQ(memory.ReadPixel(236, 200), 0x00C0C0C0u);
  // Bottom fan ends at LH + 48 = 337, inside the large box (drawn over it).
  EXPECT_EQ(memory.ReadPixel(346, 337), 0x00969696u);
  EXPECT_EQ(dib.ReadPixel(346, 337), 0x00505050u) << "the screen's lines stop one pixel short";
  EXPECT_EQ(memory.ReadPixel(232, 240), 0x00969696u) << "bottom fan starts below the small box";
  EXPECT_EQ(dib.ReadPixel(232, 240), 0x00969696u);
}

TEST(Renderer, MarkersAreKeyedAndTheSelectedOneOutlined) {
  Scene scene;
  scene.doc.viewBottom = 0;
  scene.doc.largeTargetBox.Free();
  scene.doc.smallTargetBox.Free();
  scene.doc.worldMap2x.Free();
  MemoryImage symbol = Solid(4, 4, 0x00FFFF00);
  symbol.WritePixel(0, 0, kTransparentKey);
  symbol.WritePixel(1, 0, 0x000000FE);
  AddMarker(scene.doc, symbol, 10, 10, 0);
  AddMarker(scene.doc, Solid(4, 4, 0x00CE0000), 12, 12, 0);
  MemoryImage canvas = scene.Render();
  EXPECT_EQ(canvas.ReadPixel(10, 10), 0u) << "pure blue is never drawn";
  EXPECT_EQ(canvas.ReadPixel(11, 10), 0x000000FEu) << "near blue is";
  EXPECT_EQ(canvas.ReadPixel(13, 13), 0x00CE0000u) << "the later marker is drawn over the earlier one";
  EXPECT_EQ(canvas.ReadPixel(14, 12), 0x00CE0000u);

  SelectMarker(scene.doc, 0);
  canvas = scene.Render();
  EXPECT_EQ(canvas.ReadPixel(13, 14), 0x00CE0000u) << "outline pixel covered by marker 1";
  EXPECT_EQ(canvas.ReadPixel(11, 10), InvertedOutlinePixel(0x000000FE));
  EXPECT_EQ(canvas.ReadPixel(13, 14 - 4), InvertedOutlinePixel(0x00FFFF00));
  EXPECT_EQ(canvas.ReadPixel(10, 14), InvertedOutlinePixel(0)) << "bottom edge row y + h";

  MemoryImage overhanging = Solid(30, 30, 0x00FFFF00);
  AddMarker(scene.doc, overhanging, 780, 0, 0);
  canvas = scene.Render();
  EXPECT_EQ(canvas.ReadPixel(790, 5), 0u) << "a marker that does not fit is not drawn";
}

TEST(Renderer, MemoryAndDibAgreeExceptForLineEnds) {
  Scene scene;
  AddMarker(scene.doc, Solid(8, 8, 0x00FFFF00), 100, 100, 0);
  scene.doc.viewTop = 1;
  const MemoryImage memory = scene.Render();
  DibImage dib;
  dib.Create(CanvasWidth, CanvasHeight);
  RenderLoadScreen(scene.doc, &dib);
  // The two line variants step differently (and only MemoryImage draws the end point), so
  // the pictures may differ only where one of them shows a zoom line.
  auto isLine = [](Pixel p) {
    for (int i = 0; i < 5; ++i)
      if (p == layout::kTopFan[i] || p == layout::kBottomFan[i]) return true;
    return false;
  };
  int differences = 0, lineDifferences = 0;
  for (int y = 0; y < CanvasHeight; ++y)
    for (int x = 0; x < CanvasWidth; ++x) {
      const Pixel m = memory.ReadPixel(x, y), d = dib.ReadPixel(x, y);
      differences += m != d;
      lineDifferences += m != d && (isLine(m) || isLine(d));
    }
  EXPECT_EQ(differences, lineDifferences);
  EXPECT_GE(differences, 10) << "the ten end points at least";
}
