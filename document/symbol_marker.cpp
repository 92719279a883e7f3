#include "symbol_marker.h"

#include "marker_commands.h"
#include "path_limits.h"

bool AddSymbolMarker(LoadScreenDocument& document, const std::string& fileName, Pixel colour, Point at,
                     std::string& problem) {
  const std::string path = document.appDir + "Templates" + kPathSeparator + fileName;
  MemoryImage symbol;
  std::string reason = PathLengthProblem(path);
  if (reason.empty() && !LoadImageFileVia(document.imageCache, path, symbol, reason) && reason.empty())
    reason = "cannot be read";
  if (!reason.empty()) {
    problem = path + ": " + reason;
    return false;
  }
  ReplaceColour(symbol, kSymbolSideColourKey, colour);
  AddMarker(document, symbol, at.x, at.y, static_cast<int>(colour), fileName);
  return true;
}
