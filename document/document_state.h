// DocumentState: everything of a LoadScreenDocument that is drawn or saved, kept apart from
// it (one step of the undo history, or a screen read from a scene file on its way in).
//
// Images are shared and never changed once made: an ImagePool hands out one copy of each
// distinct picture, so states that hold the same world map, screenshot or symbol hold one
// image between them, and a step costs little beyond the pictures it really changed.
// Not kept: appDir and the common templates (loaded once at start-up).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document_settings.h"
#include "load_screen_document.h"

using SharedImage = std::shared_ptr<const MemoryImage>;

class ImagePool {
 public:
  // A shared copy of `image`: one already handed out when a live one has the same size and
  // pixels, otherwise a new one. Null for an image without pixels (and when the copy cannot
  // be allocated).
  SharedImage Share(const MemoryImage& image);
  // Bytes of pixels held by the images still alive.
  std::size_t Bytes() const;

 private:
  struct Entry {
    std::uint64_t hash;
    std::weak_ptr<const MemoryImage> image;
  };
  std::vector<Entry> entries_;
};

struct MarkerState {
  int x = 0;
  int y = 0;
  int colour = 0;
  std::string symbolFile;
  SharedImage image;
};

struct DocumentState {
  DocumentSettings settings;
  SharedImage worldMap;
  SharedImage interfaceFrame;
  SharedImage cameos[3];
  SharedImage screenshot;
  SharedImage screenshotUncoloured;  // the document's screenshotBackup
  std::vector<MarkerState> markers;
  int selectedMarker = -1;  // restored with the state, but not part of its content
};

// Two images with the same size and pixels (both without pixels count as the same).
bool SameImage(const MemoryImage& a, const MemoryImage& b);

DocumentState CaptureState(const LoadScreenDocument& document, ImagePool& pool);
// The state holds what the document draws and saves now (the selection is not compared).
bool SameContent(const DocumentState& state, const LoadScreenDocument& document);
// The document takes the state's content and selection (an index outside its markers
// selects none). Nothing is recorded; the shell is told as after any change: side status,
// layer check marks, "Delete item" (enabled while a marker is selected), the marker list,
// and a repaint.
void RestoreState(LoadScreenDocument& document, const DocumentState& state);
