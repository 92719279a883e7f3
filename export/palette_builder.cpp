#include "palette_builder.h"

#include <algorithm>
#include <cctype>

#include "best_quantizer.h"
#include "color_quantizer.h"

bool ParseQuantizerName(const std::string& name, Quantizer& quantizer) {
  std::string lower = name;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower == "octree")
    quantizer = Quantizer::Octree;
  else if (lower == "best")
    quantizer = Quantizer::Best;
  else
    return false;
  return true;
}

const char* QuantizerName(Quantizer quantizer) { return quantizer == Quantizer::Best ? "best" : "octree"; }

bool BuildNewPalette(const Image& picture, Quantizer quantizer, int count, int first, Palette& palette,
                     const ColourHistogram* colours) {
  count = std::clamp(count, 1, kPaletteSize);
  first = std::clamp(first, 0, std::min(1, count - 1));
  const int wanted = count - first;
  palette.fill(PaletteColour{});
  if (quantizer == Quantizer::Best) return BuildBestPalette(picture, wanted, palette.data() + first) >= 0;
  ColorQuantizer octree(static_cast<std::uint32_t>(wanted), 8);
  if (!(colours ? octree.BuildFromColours(*colours) : octree.BuildFromImage(picture))) return false;
  ColorTableEntry table[kPaletteSize] = {};
  octree.FillColorTable(table, static_cast<std::size_t>(kPaletteSize - first));
  for (int i = first; i < kPaletteSize; ++i)
    palette[i] = {table[i - first].red, table[i - first].green, table[i - first].blue};
  return true;
}
