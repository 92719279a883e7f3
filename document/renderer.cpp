#include "renderer.h"

void PasteWrapped(Image& target, const Image& map, int x, int y, int w, int h, Point offset) {
  const int mapW = map.width, mapH = map.height, ox = offset.x, oy = offset.y;
  const int w1 = mapW - ox < w ? mapW - ox : w;
  const int w2 = w - (mapW - ox) > 0 ? w - (mapW - ox) : 0;
  const int h1 = mapH - oy < h ? mapH - oy : h;
  const int h2 = h - (mapH - oy) > 0 ? h - (mapH - oy) : 0;
  // A DibImage trusts its caller with PasteRect, so every piece is checked here.
  auto piece = [&](int tx, int ty, int sx, int sy, int pw, int ph) {
    if (pw > 0 && ph > 0 && sx >= 0 && sy >= 0 && sx + pw <= mapW && sy + ph <= mapH)
      target.PasteRect(map, tx, ty, sx, sy, pw, ph);
  };
  piece(x, y, ox, oy, w1, h1);
  piece(x + w1, y, 0, oy, w2, h1);
  piece(x, y + h1, ox, 0, w1, h2);
  piece(x + w1, y + h1, 0, 0, w2, h2);
}

void DrawMarkers(const LoadScreenDocument& document, Image& target) {
  const MarkerList& markers = document.markers;
  for (int i = 0; i < markers.Count(); ++i) {
    const Marker& marker = markers.MarkerAt(i);
    target.PasteKeyed(marker.image, marker.x, marker.y, kTransparentKey);
    if (marker.selected) target.InvertRect(marker.x, marker.y, marker.image.width, marker.image.height);
  }
}

static void DrawLowerLayer(const LoadScreenDocument& d, Image& target) {
  PasteWrapped(target, d.worldMap, 0, 0, CanvasWidth, CanvasHeight, d.smallMapOffset);
  target.PasteKeyed(d.interfaceFrame, 0, 0, kTransparentKey);
  if (d.cameoCount == 2) {
    for (int i = 0; i < 2; ++i)
      if (d.cameos[i].valid) target.Paste(d.cameos[i], layout::kTwoCameoX[i], layout::kCameoY);
  } else {
    for (int i = 0; i < 3; ++i)
      if (d.cameos[i].valid) target.Paste(d.cameos[i], layout::kThreeCameoX[i], layout::kCameoY);
  }
  if (d.screenshot.valid) target.Paste(d.screenshot, layout::kScreenshot.x, layout::kScreenshot.y);
}

static void DrawUpperLayer(const LoadScreenDocument& d, Image& target) {
  using namespace layout;
  target.Paste(d.largeTargetBox, kLargeTargetBox.x, kLargeTargetBox.y);
  PasteWrapped(target, d.worldMap2x, kLargeMapX, kLargeMapY, kLargeMapWidth, kLargeMapHeight, d.largeMapOffset);
  const int tx = d.targetBoxPos.x, ty = d.targetBoxPos.y;
  target.PasteKeyed(d.smallTargetBox, tx, ty, kTransparentKey);
  const int smallHeight = d.smallTargetBox.height, largeHeight = d.largeTargetBox.height;
  for (int i = 0; i < 5; ++i) target.DrawLine(tx + i, ty, kLargeTargetBox.x + i, kLargeTargetBox.y, kTopFan[i]);
  for (int i = 0; i < 5; ++i)
    target.DrawLine(tx + i, ty + smallHeight, kLargeTargetBox.x + i, largeHeight + 48, kBottomFan[i]);
  DrawMarkers(d, target);
}

// True when PasteWrapped draws every pixel of the target with all four of its pieces, so
// the black fill under it would be overwritten anyway.
static bool MapCoversTarget(const Image& target, const Image& map, Point offset) {
  if (target.width != CanvasWidth || target.height != CanvasHeight) return false;
  if (offset.x < 0 || offset.y < 0 || offset.x >= map.width || offset.y >= map.height) return false;
  const int w2 = CanvasWidth - (map.width - offset.x), h2 = CanvasHeight - (map.height - offset.y);
  return w2 <= map.width && h2 <= map.height;
}

void RenderLoadScreen(const LoadScreenDocument& document, Image* target) {
  if (!target) return;
  if (!document.viewBottom || !MapCoversTarget(*target, document.worldMap, document.smallMapOffset)) target->Fill(0);
  if (document.viewBottom) DrawLowerLayer(document, *target);
  if (document.viewTop) DrawUpperLayer(document, *target);
}
