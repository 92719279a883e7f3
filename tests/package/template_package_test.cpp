// The default template package that ships with the program: every file the program and
// Settings.ini name is there, with the sizes and key colours the renderer relies on.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "catalogue.h"
#include "image_files.h"
#include "load_screen_document.h"
#include "memory_image.h"
#include "renderer.h"

namespace {

const std::string kPackage = std::string(VANTOREL_SOURCE_DIR) + "/resources/package/";

MemoryImage LoadTemplate(const std::string& name) {
  MemoryImage image;
  EXPECT_TRUE(LoadImageFile((kPackage + "Templates/" + name).c_str(), image)) << name;
  return image;
}

int Count(const MemoryImage& image, Pixel colour) {
  int n = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) n += image.ReadPixel(x, y) == colour;
  return n;
}

}  // namespace

TEST(TemplatePackage, CommonAndSideTemplatesFitTheLayout) {
  const MemoryImage largeBox = LoadTemplate("com_largetargetbox.png");
  const MemoryImage smallBox = LoadTemplate("com_smalltargetbox.png");
  const MemoryImage map2x = LoadTemplate("com_worldmap2x.png");
  // The large box is pasted whole at (346, 52) and framed around the 281 x 277 window.
  EXPECT_LE(346 + largeBox.width, CanvasWidth);
  EXPECT_LE(52 + largeBox.height, CanvasHeight);
  EXPECT_GE(largeBox.width, layout::kLargeMapX - 346 + layout::kLargeMapWidth);
  EXPECT_GE(largeBox.height, layout::kLargeMapY - 52 + layout::kLargeMapHeight);
  EXPECT_GT(Count(smallBox, kTransparentKey), 0) << "the small box lets the map show through";
  EXPECT_LT(56, largeBox.height - smallBox.height + 48) << "the target box has room to move";

  for (const char* prefix : {"all", "sov", "psy"}) {
    const MemoryImage map = LoadTemplate(std::string(prefix) + "_worldmap.png");
    EXPECT_GE(map.width, CanvasWidth) << prefix;
    EXPECT_GE(map.height, CanvasHeight) << prefix;
    EXPECT_EQ(map2x.width, 2 * map.width) << "the 2x map is the same Earth at double scale";
    EXPECT_EQ(map2x.height, 2 * map.height);
    for (int count : {2, 3}) {
      const std::string name = std::string(prefix) + "_" + std::to_string(count) + "icomain.png";
      const MemoryImage frame = LoadTemplate(name);
      EXPECT_EQ(frame.width, CanvasWidth) << name;
      EXPECT_EQ(frame.height, CanvasHeight) << name;
      EXPECT_GT(Count(frame, kTransparentKey), CanvasWidth * CanvasHeight / 4) << name << ": the map shows through";
    }
  }
}

TEST(TemplatePackage, EveryCatalogueEntryExistsWithItsSizeAndKeyColours) {
  std::vector<CatalogueEntry> symbols, cameos;
  std::string message;
  const std::string settings = kPackage + "Settings.ini";
  ASSERT_TRUE(LoadCatalogue(settings.c_str(), kSymbolsListSection, CatalogueKind::Symbols, symbols, message))
      << message;
  ASSERT_TRUE(LoadCatalogue(settings.c_str(), kCameosListSection, CatalogueKind::Cameos, cameos, message)) << message;
  EXPECT_GE(symbols.size(), 10u);
  EXPECT_GE(cameos.size(), 12u);

  std::set<std::string> names;
  for (const CatalogueEntry& entry : symbols) {
    EXPECT_TRUE(names.insert(entry.displayName).second) << "duplicate " << entry.displayName;
    const MemoryImage symbol = LoadTemplate(entry.fileName);
    EXPECT_GT(Count(symbol, 0xFFFF00), 0) << entry.fileName << " has no side-colour part";
    EXPECT_GT(Count(symbol, kTransparentKey), 0) << entry.fileName << " has no pure-blue background";
    EXPECT_LE(symbol.width, 64) << entry.fileName;
  }
  for (const CatalogueEntry& entry : cameos) {
    const MemoryImage cameo = LoadTemplate(entry.fileName);
    EXPECT_EQ(cameo.width, 76) << entry.fileName;
    EXPECT_EQ(cameo.height, 60) << entry.fileName;
  }
}

TEST(TemplatePackage, ExampleScreenshotAndReadme) {
  const MemoryImage shot = LoadTemplate("example_battlefield.png");
  EXPECT_GT(shot.width, 234);
  EXPECT_GT(shot.height, 232);
  FILE* readme = std::fopen((kPackage + "Templates/readme.txt").c_str(), "rb");
  ASSERT_NE(readme, nullptr);
  std::fclose(readme);
}
