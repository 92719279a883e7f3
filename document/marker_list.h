// Marker: a placed symbol. MarkerList: the markers in drawing order (index 0 drawn first).
//
// A Marker owns its image (already tinted in its side colour) and copies deeply. It also
// keeps the catalogue file name of its symbol, so a scene file can name it again.
// MarkerAt hands out a fallback marker (empty image, all zero) for any index outside
// 0..Count()-1, so a stale index can never reach outside the list; writing to the fallback
// has no visible effect because it is never drawn.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "memory_image.h"

struct Marker {
  int x = 0;
  int y = 0;
  MemoryImage image;
  int colour = 0;          // the side colour put into the symbol when it was added
  bool selected = false;   // this marker carries the selection outline
  std::string symbolFile;  // the symbol's file in Templates; empty when not known
};

class MarkerList {
 public:
  Marker& MarkerAt(int i);
  const Marker& MarkerAt(int i) const;
  // Adds a copy of `marker` at the end.
  void Append(const Marker& marker);
  void Append(Marker&& marker) { items_.push_back(std::move(marker)); }
  // Removes the marker at i; nothing for an index outside 0..Count()-1.
  void RemoveAt(int i);
  void Clear() { items_.clear(); }
  int Count() const { return static_cast<int>(items_.size()); }

 private:
  std::vector<Marker> items_;
  Marker fallback_;
};
