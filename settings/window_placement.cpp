#include "window_placement.h"

#include <charconv>
#include <functional>
#include <system_error>

#include "ini_line.h"

namespace {

constexpr std::string_view kSection = "Window";
// Beyond any screen: a larger number is a damaged file, not a window.
constexpr int kLargestCoordinate = 100000;

bool ParseCoordinate(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && at == end && value >= -kLargestCoordinate && value <= kLargestCoordinate;
}

// Calls `line(text, parsed)` for every line, its terminator included.
void ForEachLine(std::string_view text, const std::function<void(std::string_view, const IniLine&)>& line) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
    const std::string_view whole = text.substr(0, length);
    text.remove_prefix(length);
    line(whole, ParseIniLine(whole));
  }
}

}  // namespace

bool ParseWindowPlacement(std::string_view fileText, WindowPlacement& placement) {
  WindowPlacement read;
  bool inSection = false, ok = true;
  int found = 0;  // one bit per entry
  ForEachLine(fileText, [&](std::string_view, const IniLine& parsed) {
    if (parsed.isSection) {
      inSection = SameWordIgnoringCase(parsed.sectionName, kSection);
      return;
    }
    if (!inSection || !parsed.isEntry) return;
    struct Field {
      std::string_view key;
      int* value;
    };
    const Field fields[] = {{"Left", &read.left}, {"Top", &read.top}, {"Width", &read.width}, {"Height", &read.height}};
    for (int i = 0; i < 4; ++i)
      if (SameWordIgnoringCase(parsed.key, fields[i].key)) {
        ok = ok && ParseCoordinate(parsed.value, *fields[i].value);
        found |= 1 << i;
      }
    if (SameWordIgnoringCase(parsed.key, "Maximized")) {
      read.maximized = SameWordIgnoringCase(parsed.value, "yes");
      ok = ok && (read.maximized || SameWordIgnoringCase(parsed.value, "no"));
      found |= 1 << 4;
    }
  });
  if (!ok || found != 0x1F || read.width < 1 || read.height < 1) return false;
  placement = read;
  return true;
}

std::string FormatWindowPlacement(const WindowPlacement& p) {
  return "[" + std::string(kSection) + "]\r\nLeft=" + std::to_string(p.left) + "\r\nTop=" + std::to_string(p.top) +
         "\r\nWidth=" + std::to_string(p.width) + "\r\nHeight=" + std::to_string(p.height) +
         "\r\nMaximized=" + (p.maximized ? "yes" : "no") + "\r\n";
}

ScreenRect MoveInside(ScreenRect window, ScreenRect area) {
  const auto shift = [](int low, int high, int areaLow, int areaHigh) {
    if (high - low >= areaHigh - areaLow || low < areaLow) return areaLow - low;
    return high > areaHigh ? areaHigh - high : 0;
  };
  const int dx = shift(window.left, window.right, area.left, area.right);
  const int dy = shift(window.top, window.bottom, area.top, area.bottom);
  return {window.left + dx, window.top + dy, window.right + dx, window.bottom + dy};
}

ScreenRect FitWindowOnScreen(ScreenRect window, ScreenRect area, int minimumWidth, int minimumHeight) {
  // In 64 bits: the edges of a damaged file reach 100000 either way.
  const auto fit = [](long long size, long long minimum, long long room) {
    if (size > room) size = room;
    return static_cast<int>(size < minimum ? minimum : size);
  };
  const int width = fit(static_cast<long long>(window.right) - window.left, minimumWidth,
                        static_cast<long long>(area.right) - area.left);
  const int height = fit(static_cast<long long>(window.bottom) - window.top, minimumHeight,
                         static_cast<long long>(area.bottom) - area.top);
  return MoveInside({window.left, window.top, window.left + width, window.top + height}, area);
}

bool PlaceBeside(int width, int height, ScreenRect anchor, ScreenRect area, ScreenRect& placed) {
  if (height > area.bottom - area.top) return false;
  int left;
  if (anchor.right + width <= area.right)
    left = anchor.right;
  else if (anchor.left - width >= area.left)
    left = anchor.left - width;
  else
    return false;
  placed = MoveInside({left, anchor.top, left + width, anchor.top + height}, area);
  return true;
}

std::string ReplaceIniSection(std::string_view fileText, std::string_view name, std::string_view sectionText) {
  std::string out;
  bool inSection = false, replaced = false;
  ForEachLine(fileText, [&](std::string_view whole, const IniLine& parsed) {
    if (parsed.isSection) {
      inSection = SameWordIgnoringCase(parsed.sectionName, name);
      if (inSection && !replaced) {
        out += sectionText;
        replaced = true;
      }
    }
    if (!inSection) out += whole;
  });
  if (!replaced) {
    // The last line of a file written by hand may lack its line end.
    if (!out.empty() && out.back() != '\n') out += "\r\n";
    out += sectionText;
  }
  return out;
}
