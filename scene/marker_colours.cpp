#include "marker_colours.h"

#include "ini_line.h"
#include "marker_commands.h"

namespace {
struct NamedColour {
  const char* name;
  Pixel colour;
};
constexpr NamedColour kColours[] = {
    {"Blue", kSideColourBlue}, {"Red", kSideColourRed}, {"Purpure", kSideColourPurpure}};

}  // namespace

const char* MarkerColourName(Pixel colour) {
  for (const NamedColour& c : kColours)
    if (c.colour == colour) return c.name;
  return nullptr;
}

bool MarkerColourOf(const std::string& name, Pixel& colour) {
  for (const NamedColour& c : kColours)
    if (SameWordIgnoringCase(name, c.name)) {
      colour = c.colour;
      return true;
    }
  return false;
}
