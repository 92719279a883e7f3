// Scene files written and read back: the same screen, the screenshot beside the scene
// without crop keys and uncoloured with its colour settings as keys, names a scene cannot hold refused, and a save that
// fails part-way leaving both earlier files as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "colourize.h"
#include "content_commands.h"
#include "document_state.h"
#include "image_files.h"
#include "marker_commands.h"
#include "package_templates.h"
#include "replace_files_together.h"
#include "scene_reader.h"
#include "scene_writer.h"
#include "symbol_marker.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

MemoryImage Shot(int seed) {
  MemoryImage image;
  image.Create(ScreenshotWidth, ScreenshotHeight);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) image.WritePixel(x, y, MakePixel(x + seed, y * 3, x ^ y));
  return image;
}

void AddSymbol(LoadScreenDocument& doc, const std::string& file, Pixel colour, int x, int y) {
  std::string problem;
  ASSERT_TRUE(AddSymbolMarker(doc, file, colour, {0, 0}, problem)) << problem;
  MoveMarkerTo(doc, doc.markers.Count() - 1, x, y);
}

// Everything a screen can hold, away from every default.
void MakeScreen(LoadScreenDocument& doc) {
  doc.appDir = kPackage;
  std::string message;
  ASSERT_TRUE(doc.LoadCommonTemplates(message)) << message;
  doc.cameoCount = 3;
  ASSERT_TRUE(doc.SetSide(Yuri));
  ASSERT_TRUE(SetCameo(doc, 0, PackageTemplate("cameo_tank.png"), "cameo_tank.png"));
  ASSERT_TRUE(SetCameo(doc, 2, PackageTemplate("cameo_jet.png"), "cameo_jet.png"));
  ASSERT_TRUE(SetScreenshot(doc, Shot(9), "elsewhere/shot.png"));
  doc.smallMapOffset = {17, 402};
  doc.largeMapOffset = {1999, 5};
  doc.targetBoxPos.y = 140;
  doc.SetLayers(1, 0);
  AddSymbol(doc, "sym_star.png", kSideColourRed, 120, 200);
  AddSymbol(doc, "sym_flag.png", kSideColourPurpure, 700, 3);
  AddSymbol(doc, "sym_star.png", kSideColourBlue, 0, 490);
  SelectMarker(doc, 1);
}

class SceneFiles : public ::testing::Test {
 protected:
  void SetUp() override { InitImageFiles(); }
  TempFolder folder;
};

}  // namespace

TEST_F(SceneFiles, ASavedSceneReadsBackAsTheSameScreen) {
  LoadScreenDocument screen;
  MakeScreen(screen);
  const std::string scene = folder.Path("mission1.ini");
  std::string error;
  ASSERT_TRUE(SaveScene(scene, screen, error)) << error;
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"mission1.ini", "mission1.screenshot.png"}));

  const std::string text = ReadWholeFile(scene);
  EXPECT_NE(text.find("Screenshot=mission1.screenshot.png\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Side=Yuri\r\nCameos=3\r\nCameo1=cameo_tank.png\r\nCameo3=cameo_jet.png\r\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("2=sym_flag.png,Purpure,700,3\r\n"), std::string::npos) << text;
  for (const char* absent : {"Cameo2", "ScreenshotCrop", "ScreenshotColour", "ScreenshotIntensity", "selected"})
    EXPECT_EQ(text.find(absent), std::string::npos) << absent << " in\n" << text;

  LoadScreenDocument read;
  read.appDir = kPackage;
  ASSERT_TRUE(LoadScene(scene, read, error)) << error;
  // Only the screenshot's file differs: the scene's own PNG is where it now comes from.
  screen.screenshotName = folder.Path("mission1.screenshot.png");
  ImagePool pool;
  EXPECT_TRUE(SameContent(CaptureState(read, pool), screen));
  EXPECT_EQ(read.selectedMarker, -1) << "the selection is not saved";
  EXPECT_EQ(ScreenshotFileFor("C:\\a.b\\mission"), "C:\\a.b\\mission.screenshot.png");
  EXPECT_EQ(read.markers.MarkerAt(2).symbolFile, "sym_star.png");

  // Without a screenshot the scene names none, and saving again changes nothing else.
  LoadScreenDocument plain;
  plain.appDir = kPackage;
  ASSERT_TRUE(plain.LoadCommonTemplates(error) && plain.SetSide(Allied) && plain.SetCameoCount(2));
  ASSERT_TRUE(SaveScene(folder.Path("plain"), plain, error)) << error;
  EXPECT_EQ(ReadWholeFile(folder.Path("plain")).find("Screenshot"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder.Path("plain.screenshot.png")));
}

// A coloured screenshot is saved as it was taken, with its settings as keys, and reads back
// as the same screen with the same settings in force.
TEST_F(SceneFiles, ColourSettingsAreSavedAsSettings) {
  const struct {
    ColourizeSettings settings;
    const char* keys;
  } kCases[] = {
      {{0, 100, 30, 200, 0}, "ScreenshotColour=100,30,200\r\nScreenshotIntensity=0\r\n"},
      {{1, 255, 255, 255, 400}, "ScreenshotColour=grey\r\nScreenshotIntensity=400\r\n"},
      {{0, 255, 255, 255, 100}, "Screenshot=mission1.screenshot.png\r\nScreenshotIntensity=100\r\n"},
  };
  for (const auto& c : kCases) {
    LoadScreenDocument screen;
    MakeScreen(screen);
    ASSERT_TRUE(ColourizeScreenshot(screen, c.settings));
    const std::string scene = folder.Path("mission1.ini");
    std::string error;
    ASSERT_TRUE(SaveScene(scene, screen, error)) << error;
    EXPECT_NE(ReadWholeFile(scene).find(c.keys), std::string::npos) << ReadWholeFile(scene);
    MemoryImage png;
    ASSERT_TRUE(LoadImageFile(folder.Path("mission1.screenshot.png").c_str(), png));
    EXPECT_TRUE(SameImage(png, Shot(9))) << "the picture is saved uncoloured";

    LoadScreenDocument read;
    read.appDir = kPackage;
    ASSERT_TRUE(LoadScene(scene, read, error)) << error;
    screen.screenshotName = folder.Path("mission1.screenshot.png");
    ImagePool pool;
    EXPECT_TRUE(SameContent(CaptureState(read, pool), screen)) << c.keys;
    EXPECT_TRUE(read.screenshotColour == c.settings) << c.keys;
  }
}

TEST_F(SceneFiles, WhatASceneCannotNameIsRefused) {
  LoadScreenDocument screen;
  MakeScreen(screen);
  std::string text, error;
  EXPECT_FALSE(ComposeScene(screen, "a;b.screenshot.png", text, error));
  EXPECT_NE(error.find("a;b.screenshot.png"), std::string::npos) << error;
  screen.cameoFiles[2].clear();
  EXPECT_FALSE(ComposeScene(screen, "a.screenshot.png", text, error));
  EXPECT_NE(error.find("cameo 3"), std::string::npos) << error;
  ClearCameo(screen, 2);
  screen.markers.MarkerAt(0).symbolFile = "a,b.png";
  EXPECT_FALSE(ComposeScene(screen, "a.screenshot.png", text, error));
  EXPECT_NE(error.find("a,b.png"), std::string::npos) << error;
}

// More markers than any screen holds: the reader refuses them before reading a symbol, and
// the writer does not write a scene the reader would refuse.
TEST_F(SceneFiles, AThousandMarkersAreTheMost) {
  const auto markers = [](int count) {
    std::string text = "[LoadScreen]\n[Markers]\n";
    for (int i = 1; i <= count; ++i) text += std::to_string(i) + "=no_such_symbol.png,Red,1,2\n";
    return text;
  };
  LoadScreenDocument doc;
  doc.appDir = kPackage;
  std::string error;
  EXPECT_FALSE(LoadScene(folder.Write("many.ini", markers(40000)), doc, error));
  EXPECT_EQ(error,
            folder.Path("many.ini") + ": line 2: [Markers] holds 40000 markers, more than the 1000 a scene may hold");
  LoadScreenDocument most;
  most.appDir = kPackage;
  EXPECT_FALSE(LoadScene(folder.Write("most.ini", markers(1000)), most, error));
  EXPECT_NE(error.find("marker 1: cannot load symbol"), std::string::npos) << error;

  LoadScreenDocument screen;
  MakeScreen(screen);
  while (screen.markers.Count() <= 1000) screen.markers.Append(Marker(screen.markers.MarkerAt(0)));
  std::string text;
  EXPECT_FALSE(ComposeScene(screen, "a.screenshot.png", text, error));
  EXPECT_EQ(error, "the screen has 1001 markers, more than the 1000 a scene may hold");
}

TEST_F(SceneFiles, AFailedSaveKeepsBothEarlierFiles) {
  LoadScreenDocument screen;
  MakeScreen(screen);
  const std::string scene = folder.Path("m.ini"), shot = folder.Path("m.screenshot.png");
  std::string error;
  ASSERT_TRUE(SaveScene(scene, screen, error)) << error;
  const std::string oldScene = ReadWholeFile(scene), oldShot = ReadWholeFile(shot);

  // The new screenshot is already in when the scene cannot follow: it goes out again.
  SetScreenshot(screen, Shot(200));
  std::string text;
  ASSERT_TRUE(ComposeScene(screen, "m.screenshot.png", text, error));
  std::vector<unsigned char> png;
  ASSERT_TRUE(EncodeImageFile(shot.c_str(), screen.screenshot, png));
  const std::vector<FileContent> files = {{shot, std::string(png.begin(), png.end())}, {scene, text}};
  // Once the screenshot is in, the scene's new content disappears, so its rename fails.
  int steps = 0;
  bool lost = false;
  const CommitStep sceneLost = [&] {
    ++steps;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.Folder())) {
      const std::string name = entry.path().filename().string();
      if (!lost && IsLeftoverName(name, "m.ini") && entry.path().extension() == ".tmp") lost = fs::remove(entry.path());
    }
  };
  EXPECT_FALSE(ReplaceFilesTogether(files, error, sceneLost));
  EXPECT_TRUE(lost);
  EXPECT_NE(error.find("cannot replace " + scene), std::string::npos) << error;
  EXPECT_GE(steps, 2) << "the screenshot went in before the scene failed";

  // A folder that does not exist: nothing can be written; the message names the file.
  EXPECT_FALSE(SaveScene(folder.Path("missing/m.ini"), screen, error));
  EXPECT_NE(error.find("cannot write " + folder.Path("missing/m.screenshot.png")), std::string::npos) << error;
  // A scene whose name is a folder's is refused before anything is written.
  fs::create_directory(folder.Path("f.ini"));
  EXPECT_FALSE(SaveScene(folder.Path("f.ini"), screen, error));
  EXPECT_NE(error.find("it is a folder"), std::string::npos) << error;

  EXPECT_EQ(ReadWholeFile(scene), oldScene);
  EXPECT_EQ(ReadWholeFile(shot), oldShot);
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"f.ini", "m.ini", "m.screenshot.png"}))
      << "no temporary or set-aside file stays";
}
