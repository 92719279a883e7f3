#include "document_state.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace {

// FNV-1a over the pixels, seeded with the size: only to find candidates, equality decides.
std::uint64_t HashImage(const MemoryImage& image) {
  std::uint64_t hash = 14695981039346656037ull ^ (static_cast<std::uint64_t>(image.width) << 32) ^
                       static_cast<std::uint32_t>(image.height);
  for (int y = 0; y < image.height; ++y) {
    const Pixel* row = image.GetRow(y);
    for (int x = 0; x < image.width; ++x) hash = (hash ^ row[x]) * 1099511628211ull;
  }
  return hash;
}

const MemoryImage& ImageOf(const SharedImage& shared) {
  static const MemoryImage empty;
  return shared ? *shared : empty;
}

void Take(MemoryImage& into, const SharedImage& from) {
  if (from)
    into = *from;
  else
    into.Free();
}

}  // namespace

bool SameImage(const MemoryImage& a, const MemoryImage& b) {
  if (a.valid != b.valid || a.width != b.width || a.height != b.height) return false;
  if (!a.valid) return true;
  const std::size_t rowBytes = static_cast<std::size_t>(a.width) * sizeof(Pixel);
  for (int y = 0; y < a.height; ++y)
    if (std::memcmp(a.GetRow(y), b.GetRow(y), rowBytes) != 0) return false;
  return true;
}

SharedImage ImagePool::Share(const MemoryImage& image) {
  if (!image.valid) return nullptr;
  const std::uint64_t hash = HashImage(image);
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.image.expired(); }),
                 entries_.end());
  for (const Entry& entry : entries_) {
    if (entry.hash != hash) continue;
    SharedImage held = entry.image.lock();
    if (held && SameImage(*held, image)) return held;
  }
  auto* copy = new (std::nothrow) MemoryImage(image);
  if (!copy) return nullptr;
  if (!copy->valid) {
    delete copy;
    return nullptr;
  }
  SharedImage shared(copy);
  entries_.push_back({hash, shared});
  return shared;
}

std::size_t ImagePool::Bytes() const {
  std::size_t bytes = 0;
  for (const Entry& entry : entries_)
    if (SharedImage held = entry.image.lock())
      bytes += static_cast<std::size_t>(held->width) * held->height * sizeof(Pixel);
  return bytes;
}

DocumentState CaptureState(const LoadScreenDocument& d, ImagePool& pool) {
  DocumentState s;
  s.settings = d;
  s.worldMap = pool.Share(d.worldMap);
  s.interfaceFrame = pool.Share(d.interfaceFrame);
  for (int slot = 0; slot < 3; ++slot) s.cameos[slot] = pool.Share(d.cameos[slot]);
  s.screenshot = pool.Share(d.screenshot);
  s.screenshotUncoloured = pool.Share(d.screenshotBackup);
  s.markers.reserve(static_cast<std::size_t>(d.markers.Count()));
  for (int i = 0; i < d.markers.Count(); ++i) {
    const Marker& m = d.markers.MarkerAt(i);
    s.markers.push_back({m.x, m.y, m.colour, m.symbolFile, pool.Share(m.image)});
  }
  s.selectedMarker = d.selectedMarker;
  return s;
}

bool SameContent(const DocumentState& s, const LoadScreenDocument& d) {
  const DocumentSettings& settings = d;
  if (s.settings != settings || static_cast<int>(s.markers.size()) != d.markers.Count()) return false;
  for (int slot = 0; slot < 3; ++slot)
    if (!SameImage(ImageOf(s.cameos[slot]), d.cameos[slot])) return false;
  for (int i = 0; i < d.markers.Count(); ++i) {
    const MarkerState& a = s.markers[static_cast<std::size_t>(i)];
    const Marker& b = d.markers.MarkerAt(i);
    if (a.x != b.x || a.y != b.y || a.colour != b.colour || a.symbolFile != b.symbolFile ||
        !SameImage(ImageOf(a.image), b.image))
      return false;
  }
  return SameImage(ImageOf(s.screenshot), d.screenshot) &&
         SameImage(ImageOf(s.screenshotUncoloured), d.screenshotBackup) && SameImage(ImageOf(s.worldMap), d.worldMap) &&
         SameImage(ImageOf(s.interfaceFrame), d.interfaceFrame);
}

void RestoreState(LoadScreenDocument& d, const DocumentState& s) {
  static_cast<DocumentSettings&>(d) = s.settings;
  Take(d.worldMap, s.worldMap);
  MemoryImage frame;
  Take(frame, s.interfaceFrame);
  // The count goes back with its frame: the document also keeps which count its frame is for.
  d.RestoreCameoCount(s.settings.cameoCount, std::move(frame));
  for (int slot = 0; slot < 3; ++slot) Take(d.cameos[slot], s.cameos[slot]);
  Take(d.screenshot, s.screenshot);
  Take(d.screenshotBackup, s.screenshotUncoloured);
  d.markers.Clear();
  const int count = static_cast<int>(s.markers.size());
  d.selectedMarker = s.selectedMarker >= 0 && s.selectedMarker < count ? s.selectedMarker : -1;
  for (int i = 0; i < count; ++i) {
    const MarkerState& m = s.markers[static_cast<std::size_t>(i)];
    Marker marker;
    marker.x = m.x;
    marker.y = m.y;
    Take(marker.image, m.image);
    marker.colour = m.colour;
    marker.selected = i == d.selectedMarker;
    marker.symbolFile = m.symbolFile;
    d.markers.Append(std::move(marker));
  }
  DocumentShell& shell = d.shell();
  shell.MarkerListChanged();
  shell.SetSideStatus(d.SideStatusText().c_str());
  shell.SetLayerChecks(d.viewTop, d.viewBottom);
  shell.SetDeleteItemEnabled(d.selectedMarker != -1);
  shell.RepaintView();
}
