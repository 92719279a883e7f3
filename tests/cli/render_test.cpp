// `vantorel render`: scenes on the default package, checked pixel by pixel where the
// composition is known, and every kind of bad scene refused without writing a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "colourize.h"
#include "image_files.h"
#include "marker_commands.h"
#include "memory_image.h"
#include "renderer.h"
#include "run_tool.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

const std::string kPackage = std::string(VANTOREL_SOURCE_DIR) + "/resources/package";

class Render : public ::testing::Test {
 protected:
  void SetUp() override { InitImageFiles(); }

  std::string Scene(const std::string& text) const { return folder_.Write("scene.ini", text); }
  std::string Out() const { return folder_.Path("out.png"); }
  ToolRun RenderScene(const std::string& text) const {
    return RunTool({"render", Scene(text), "-o", Out(), "--package", kPackage});
  }
  MemoryImage Load(const std::string& path) const {
    MemoryImage image;
    EXPECT_TRUE(LoadImageFile(path.c_str(), image)) << path;
    return image;
  }
  MemoryImage Template(const std::string& name) const { return Load(kPackage + "/Templates/" + name); }

  TempFolder folder_;
};

}  // namespace

TEST_F(Render, TheExamplesRender) {
  for (const char* name : {"allied_invasion", "soviet_offensive", "yuri_upper_layer_off"}) {
    const std::string scene = std::string(VANTOREL_SOURCE_DIR) + "/examples/" + name + ".ini";
    const ToolRun run = RunTool({"render", scene, "-o", Out(), "--package", kPackage});
    ASSERT_EQ(run.exitCode, 0) << name << ": " << run.err;
    const MemoryImage picture = Load(Out());
    EXPECT_EQ(picture.width, 800);
    EXPECT_EQ(picture.height, 520);
  }
}

TEST_F(Render, BothLayersOffIsBlack) {
  ASSERT_EQ(RenderScene("[LoadScreen]\nUpperLayer = no\nLowerLayer=NO\n").exitCode, 0);
  const MemoryImage picture = Load(Out());
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) ASSERT_EQ(picture.ReadPixel(x, y), 0u) << x << "," << y;
}

TEST_F(Render, CameosScreenshotAndMarkersLandWhereTheyBelong) {
  const std::string shot = folder_.Path("shot.png");
  MemoryImage source;
  source.Create(300, 260);
  for (int y = 0; y < 260; ++y)
    for (int x = 0; x < 300; ++x) source.WritePixel(x, y, static_cast<Pixel>(y * 1000 + x));
  ASSERT_TRUE(SaveImageFile(shot.c_str(), source));
  const ToolRun run = RenderScene(
      "[LoadScreen]\nSide=Soviet\nCameos=3\nCameo2=cameo_tank.png\nScreenshot=shot.png\n"
      "ScreenshotCrop=1000,5\nUpperLayer=no\n"
      "[Markers]\n1=sym_star.png,Red,-50,9999\n");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const MemoryImage picture = Load(Out());
  const MemoryImage tank = Template("cameo_tank.png");
  EXPECT_EQ(picture.ReadPixel(350, 380), tank.ReadPixel(0, 0));
  EXPECT_EQ(picture.ReadPixel(350 + 75, 380 + 59), tank.ReadPixel(75, 59));
  // The crop is clamped like the crop dialog: x at most 300 - 234 - 1 = 65.
  EXPECT_EQ(picture.ReadPixel(542, 267), source.ReadPixel(65, 5));
  EXPECT_EQ(picture.ReadPixel(542 + 233, 267 + 231), source.ReadPixel(65 + 233, 5 + 231));

  // Upper layer off: no marker. Render again with it on and find the clamped star.
  const ToolRun withMarker = RenderScene("[LoadScreen]\n[Markers]\n1=sym_star.png,Red,-50,9999,selected\n");
  ASSERT_EQ(withMarker.exitCode, 0) << withMarker.err;
  const MemoryImage marked = Load(Out());
  MemoryImage star = Template("sym_star.png");
  const int x = 0, y = 519 - star.height;  // dragged past the bottom-left corner
  int red = 0, yellow = 0;
  for (int j = 1; j < star.height - 1; ++j)
    for (int i = 1; i < star.width; ++i)
      if (star.ReadPixel(i, j) == kSymbolSideColourKey) {
        red += marked.ReadPixel(x + i, y + j) == kSideColourRed;
        yellow += marked.ReadPixel(x + i, y + j) == kSymbolSideColourKey;
      }
  EXPECT_GT(red, 0) << "the star's yellow became the side colour";
  EXPECT_EQ(yellow, 0);
}

TEST_F(Render, ScreenshotColourKeysColourizeTheCroppedScreenshot) {
  const std::string shot = folder_.Path("shot.png");
  MemoryImage source;
  source.Create(240, 232);
  for (int y = 0; y < 232; ++y)
    for (int x = 0; x < 240; ++x) source.WritePixel(x, y, MakePixel(x, y, (x * y) & 0xFF));
  ASSERT_TRUE(SaveImageFile(shot.c_str(), source));
  MemoryImage cropped;
  ASSERT_TRUE(cropped.Create(234, 232));
  cropped.PasteRect(source, 0, 0, 3, 0, 234, 232);

  struct Case {
    const char* keys;
    ColourizeSettings settings;
  };
  const Case cases[] = {
      {"ScreenshotColour=10, 200,255\nScreenshotIntensity=300\n", {0, 10, 200, 255, 300}},
      {"ScreenshotColour=GREY\n", {1, 255, 255, 255, 255}},
      {"ScreenshotIntensity=0\n", {0, 255, 255, 255, 0}},
  };
  for (const Case& c : cases) {
    const ToolRun run =
        RenderScene(std::string("[LoadScreen]\nScreenshot=shot.png\nScreenshotCrop=3,0\nUpperLayer=no\n") + c.keys);
    ASSERT_EQ(run.exitCode, 0) << c.keys << run.err;
    MemoryImage expected;
    ASSERT_TRUE(ColourizeImage(cropped, expected, c.settings));
    const MemoryImage picture = Load(Out());
    for (int y = 0; y < 232; ++y)
      for (int x = 0; x < 234; ++x)
        ASSERT_EQ(picture.ReadPixel(542 + x, 267 + y), expected.ReadPixel(x, y)) << c.keys << x << "," << y;
  }

  // Values out of range are refused with the key's name.
  for (const char* keys : {"ScreenshotColour=256,0,0\n", "ScreenshotColour=1,2\n", "ScreenshotColour=red\n",
                           "ScreenshotIntensity=512\n", "ScreenshotIntensity=-1\n"}) {
    const ToolRun run = RenderScene(std::string("[LoadScreen]\nScreenshot=shot.png\n") + keys);
    EXPECT_EQ(run.exitCode, 1) << keys;
    const std::string key = std::string(keys).substr(0, std::string(keys).find('='));
    EXPECT_NE(run.err.find(key), std::string::npos) << keys << run.err;
  }
  const ToolRun withoutShot = RenderScene("[LoadScreen]\nScreenshotIntensity=3\n");
  EXPECT_EQ(withoutShot.exitCode, 1);
  EXPECT_NE(withoutShot.err.find("ScreenshotIntensity without Screenshot"), std::string::npos) << withoutShot.err;
}

// The tool decodes only the map rows a scene shows; the picture is the one the whole maps
// give, wherever the windows stand (wrapping past the bottom row included).
TEST_F(Render, MapsDecodedInPartGiveThePictureOfWholeMaps) {
  LoadScreenDocument whole;
  whole.appDir = kPackage + "/";
  std::string message;
  ASSERT_TRUE(whole.LoadCommonTemplates(message) && whole.SetSide(Allied)) << message;
  const Point h = {whole.worldMap.height, whole.worldMap2x.height};
  const Point offsets[][2] = {
      {{0, 0}, {232, 103}}, {{700, h.x - 1}, {2000, h.y - 1}}, {{5, h.x - 300}, {9, h.y - 200}}};
  MemoryImage expected;
  ASSERT_TRUE(expected.Create(CanvasWidth, CanvasHeight));
  for (const auto& offset : offsets) {
    const std::string keys = "SmallMapOffset=" + std::to_string(offset[0].x) + "," + std::to_string(offset[0].y) +
                             "\nLargeMapOffset=" + std::to_string(offset[1].x) + "," + std::to_string(offset[1].y);
    ASSERT_EQ(RenderScene("[LoadScreen]\n" + keys + "\n").exitCode, 0) << keys;
    whole.smallMapOffset = offset[0];
    whole.largeMapOffset = offset[1];
    RenderLoadScreen(whole, &expected);
    const MemoryImage picture = Load(Out());
    for (int y = 0; y < CanvasHeight; ++y)
      for (int x = 0; x < CanvasWidth; ++x)
        ASSERT_EQ(picture.ReadPixel(x, y), expected.ReadPixel(x, y)) << keys << " at " << x << "," << y;
  }
  // An offset outside the map is named with the map's own size.
  const ToolRun outside = RenderScene("[LoadScreen]\nLargeMapOffset=99999,10\n");
  EXPECT_NE(outside.err.find("(" + std::to_string(whole.worldMap2x.width) + " x " + std::to_string(h.y) + ")"),
            std::string::npos)
      << outside.err;
}

TEST_F(Render, BadScenesAreRefusedWithoutWritingAFile) {
  const std::string tooSmall = folder_.Path("small.png");
  MemoryImage small;
  small.Create(234, 231);
  ASSERT_TRUE(SaveImageFile(tooSmall.c_str(), small));
  folder_.Write("not-an-image.png", "hello");
  const char* const scenes[] = {
      "Side=Allied\n",                                             // no [LoadScreen]
      "[LoadScreen]\nSide=Nod\n",                                  // unknown side
      "[LoadScreen]\nCameos=4\n",                                  // count
      "[LoadScreen]\nCameos=two\n",                                // malformed number
      "[LoadScreen]\nCameo1=example_battlefield.png\n",            // not 76 x 60
      "[LoadScreen]\nCameo1=no_such_cameo.png\n",                  // missing
      "[LoadScreen]\nScreenshot=small.png\n",                      // below 234 x 232
      "[LoadScreen]\nScreenshot=not-an-image.png\n",               // not an image
      "[LoadScreen]\nSmallMapOffset=5000,0\n",                     // outside the map
      "[LoadScreen]\nLargeMapOffset=-1,0\n",                       // outside the 2x map
      "[LoadScreen]\nTargetBoxY=1O3\n",                            // malformed number
      "[LoadScreen]\nUpperLayer=maybe\n",                          // switch
      "[LoadScreen]\nCamoes=3\n",                                  // unknown key
      "[LoadScreen]\n[Markers]\n1=sym_star.png,Green,1,1\n",       // unknown colour
      "[LoadScreen]\n[Markers]\n1=no_such_symbol.png,Red,1,1\n",   // missing symbol
      "[LoadScreen]\n[Markers]\n1=sym_star.png,Red,1\n",           // too few fields
      "[LoadScreen]\n[Markers]\n1=sym_star.png,Red,1,1,chosen\n",  // fifth field
      "[LoadScreen]\nSide=Allied\nSIDE=Yuri\n",                    // repeated key
      "[LoadScreen]\n[Markers]\n[markers]\n",                      // repeated section
      "[LoadScreen]\n[Marker]\n1=sym_star.png,Red,1,1\n",          // unknown section
      "\xFF\xFE[\0L\0",                                            // UTF-16
  };
  for (const char* text : scenes) {
    const ToolRun run = RenderScene(text);
    EXPECT_EQ(run.exitCode, 1) << text;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << text << run.err;
    EXPECT_FALSE(fs::exists(Out())) << text;
  }
  EXPECT_EQ(RunTool({"render", folder_.Path("missing.ini"), "-o", Out()}).exitCode, 1);
  EXPECT_EQ(RunTool({"render", Scene("[LoadScreen]\n"), "-o", folder_.Path("out.webp")}).exitCode, 1);
  EXPECT_EQ(RunTool({"render", Scene("[LoadScreen]\n")}).exitCode, 2) << "no -o";
  EXPECT_FALSE(fs::exists(Out()));

  // A package without the side's frame.
  const fs::path broken = folder_.Path("package");
  fs::copy(kPackage, broken, fs::copy_options::recursive);
  fs::remove(broken / "Templates" / "sov_2icomain.png");
  const ToolRun run =
      RunTool({"render", Scene("[LoadScreen]\nSide=Soviet\n"), "-o", Out(), "--package", broken.string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("sov_2icomain.png"), std::string::npos) << run.err;
}

TEST_F(Render, AFailedRenderKeepsAnEarlierPicture) {
  ASSERT_EQ(RenderScene("[LoadScreen]\n").exitCode, 0);
  const auto before = fs::file_size(Out());
  EXPECT_EQ(RenderScene("[LoadScreen]\nSide=Nod\n").exitCode, 1);
  EXPECT_EQ(fs::file_size(Out()), before);
}
