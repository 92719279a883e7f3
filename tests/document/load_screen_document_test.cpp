#include "load_screen_document.h"

#include <gtest/gtest.h>

#include <string>

#include "test_package.h"

namespace {
struct StatusShell : DocumentShell {
  std::string status;
  int repaints = 0;
  void SetSideStatus(const char* text) override { status = text; }
  void RepaintView() override { ++repaints; }
};
}  // namespace

TEST(Templates, NamingRules) {
  EXPECT_EQ(WorldMapFileName(Soviet), "sov_worldmap.png");
  EXPECT_EQ(InterfaceFrameFileName(Yuri, 3), "psy_3icomain.png");
  EXPECT_STREQ(SideName(7), "Yuri");
  EXPECT_STREQ(SidePrefix(-1), "psy");
  const std::string dir = "C:" + std::string(1, kPathSeparator);
  EXPECT_EQ(TemplatePath(dir, "a.png"), dir + "Templates" + kPathSeparator + "a.png");
  EXPECT_EQ(TemplatePath(std::string(kMaxPath - 10, 'x'), "a.png"), "") << "too long for a path buffer";
}

TEST(Document, CommonTemplatesAreCheckedInOrder) {
  TestPackage package;
  LoadScreenDocument doc;
  doc.appDir = package.AppDir();
  std::string message;
  EXPECT_FALSE(doc.LoadCommonTemplates(message));
  EXPECT_EQ(message, "Error: Can't find com_largetargetbox.png file.");
  package.Write("com_largetargetbox.png", 295, 289, 1);
  EXPECT_FALSE(doc.LoadCommonTemplates(message));
  EXPECT_EQ(message, "Error: Can't find com_smalltargetbox.png file.");
  package.Write("com_smalltargetbox.png", 40, 40, 1);
  EXPECT_FALSE(doc.LoadCommonTemplates(message));
  EXPECT_EQ(message, "Error: Can't find com_worldmap2x.PNG file.");
  // There but unreadable: not called missing.
  std::filesystem::create_directory(package.Root() + "/Templates/com_worldmap2x.png");
  EXPECT_FALSE(doc.LoadCommonTemplates(message));
  EXPECT_EQ(message, "Error: Can't load com_worldmap2x.png file: it is a folder.");
  std::filesystem::remove(package.Root() + "/Templates/com_worldmap2x.png");
  package.Write("com_worldmap2x.png", 600, 600, 1);
  EXPECT_TRUE(doc.LoadCommonTemplates(message));
  EXPECT_EQ(doc.largeTargetBox.height, 289);
}

// The editor's start: the 2x map down to a row limit first, then whole; after a failure to
// load it whole the document says it has no common templates.
TEST(Document, LargeMapLoadedInPartThenWhole) {
  TestPackage package;
  package.WriteComplete();
  LoadScreenDocument doc;
  doc.appDir = package.AppDir();
  doc.worldMap2xRowLimit = 380;
  std::string message;
  ASSERT_TRUE(doc.LoadCommonTemplates(message));
  EXPECT_EQ(doc.worldMap2x.height, 380);
  package.Remove("com_worldmap2x.png");
  EXPECT_FALSE(doc.LoadWholeLargeMap(message));
  EXPECT_EQ(message, "Error: Can't find com_worldmap2x.PNG file.");
  EXPECT_FALSE(doc.HasCommonTemplates());
  EXPECT_EQ(doc.worldMap2xRowLimit, 380);
  package.Write("com_worldmap2x.png", 2160, 1080, 7);
  ASSERT_TRUE(doc.LoadWholeLargeMap(message));
  EXPECT_EQ(doc.worldMap2x.height, 1080);
  EXPECT_EQ(doc.worldMap2x.ReadPixel(2159, 1079), 7u);
  EXPECT_EQ(doc.worldMap2xRowLimit, 0);
}

TEST(Document, FirstSideThenCountAsTheMainWindowDoes) {
  TestPackage package;
  package.WriteComplete();
  StatusShell shell;
  LoadScreenDocument doc(&shell);
  doc.appDir = package.AppDir();
  ASSERT_TRUE(doc.SetSide(Allied));
  EXPECT_EQ(shell.status, "Allied - -1");
  EXPECT_EQ(doc.interfaceFrame.ReadPixel(0, 0), 0x100u) << "the two-slot frame while the count is unset";
  // The first count takes that frame as it is: the file is not read a second time.
  package.Remove("all_2icomain.png");
  ASSERT_TRUE(doc.SetCameoCount(2));
  EXPECT_EQ(doc.interfaceFrame.ReadPixel(0, 0), 0x100u);
  package.Write("all_2icomain.png", 800, 520, 0x100);
  EXPECT_EQ(shell.status, "Allied - 2");
  const int repaints = shell.repaints;
  EXPECT_TRUE(doc.SetSide(Allied));
  EXPECT_TRUE(doc.SetCameoCount(2));
  EXPECT_TRUE(doc.SetCameoCount(4));
  EXPECT_EQ(shell.repaints, repaints) << "unchanged values do nothing";
  ASSERT_TRUE(doc.SetCameoCount(3));
  ASSERT_TRUE(doc.SetSide(Yuri));
  EXPECT_EQ(shell.status, "Yuri - 3");
  EXPECT_EQ(doc.interfaceFrame.ReadPixel(0, 0), 0x30000u);
  EXPECT_EQ(doc.worldMap.ReadPixel(0, 0), 3u);
}

TEST(Document, AMissingSideTemplateLeavesEverythingAsItWas) {
  TestPackage package;
  package.WriteComplete();
  package.Remove("psy_3icomain.png");
  package.Remove("sov_worldmap.png");
  StatusShell shell;
  LoadScreenDocument doc(&shell);
  doc.appDir = package.AppDir();
  ASSERT_TRUE(doc.SetSide(Allied));
  ASSERT_TRUE(doc.SetCameoCount(3));
  doc.smallMapOffset = {5, 6};
  EXPECT_FALSE(doc.SetSide(Soviet));
  EXPECT_EQ(doc.side, Allied);
  EXPECT_EQ(doc.worldMap.width, 1000);
  EXPECT_EQ(doc.interfaceFrame.ReadPixel(0, 0), 0x10000u);
  EXPECT_EQ(shell.status, "Allied - 3");
  ASSERT_TRUE(doc.SetCameoCount(2));
  ASSERT_TRUE(doc.SetSide(Yuri));
  EXPECT_FALSE(doc.SetCameoCount(3)) << "psy_3icomain.png is missing";
  EXPECT_EQ(doc.cameoCount, 2);
  EXPECT_TRUE(doc.interfaceFrame.valid);
  package.Write("psy_3icomain.png", 800, 520, 7);
  EXPECT_TRUE(doc.SetCameoCount(3)) << "choosing it again retries";
}

TEST(Document, OffsetsFollowAMapOfAnotherSize) {
  TestPackage package;
  package.WriteComplete();
  package.Write("sov_worldmap.png", 900, 550, 9);
  LoadScreenDocument doc;
  doc.appDir = package.AppDir();
  ASSERT_TRUE(doc.SetSide(Allied));
  doc.smallMapOffset = {950, 580};
  ASSERT_TRUE(doc.SetSide(Soviet));
  EXPECT_EQ(doc.smallMapOffset.x, 50);
  EXPECT_EQ(doc.smallMapOffset.y, 30);
}

TEST(Document, CameosSurviveCountAndSideChanges) {
  TestPackage package;
  package.WriteComplete();
  LoadScreenDocument doc;
  doc.appDir = package.AppDir();
  ASSERT_TRUE(doc.SetSide(Allied));
  ASSERT_TRUE(doc.SetCameoCount(3));
  doc.cameos[2].Create(76, 60);
  ASSERT_TRUE(doc.SetCameoCount(2));
  ASSERT_TRUE(doc.SetSide(Soviet));
  ASSERT_TRUE(doc.SetCameoCount(3));
  EXPECT_TRUE(doc.cameos[2].valid);
}
