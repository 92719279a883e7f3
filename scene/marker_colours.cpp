#include "marker_colours.h"

#include <cctype>

#include "marker_commands.h"

namespace {
struct NamedColour {
  const char* name;
  Pixel colour;
};
constexpr NamedColour kColours[] = {
    {"Blue", kSideColourBlue}, {"Red", kSideColourRed}, {"Purpure", kSideColourPurpure}};

bool SameIgnoringCase(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return i == a.size() && b[i] == '\0';
}
}  // namespace

const char* MarkerColourName(Pixel colour) {
  for (const NamedColour& c : kColours)
    if (c.colour == colour) return c.name;
  return nullptr;
}

bool MarkerColourOf(const std::string& name, Pixel& colour) {
  for (const NamedColour& c : kColours)
    if (SameIgnoringCase(name, c.name)) {
      colour = c.colour;
      return true;
    }
  return false;
}
