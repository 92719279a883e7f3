#include "marker_list.h"

Marker& MarkerList::MarkerAt(int i) {
  if (i < 0 || i >= Count()) {
    fallback_ = Marker{};  // whatever a stale index wrote there is dropped
    return fallback_;
  }
  return items_[static_cast<size_t>(i)];
}

const Marker& MarkerList::MarkerAt(int i) const {
  if (i < 0 || i >= Count()) return fallback_;
  return items_[static_cast<size_t>(i)];
}

void MarkerList::Append(const Marker& marker) { items_.push_back(marker); }

void MarkerList::RemoveAt(int i) {
  if (i < 0 || i >= Count()) return;
  items_.erase(items_.begin() + i);
}
