// The names Save as SHP and Save as image propose: the scene's, or the file last chosen for
// that kind while the screen belongs to the same scene; never an input's.
#include "output_names.h"

#include <gtest/gtest.h>

namespace {

TEST(OutputNames, SceneNameOrTheLastChoiceOfTheKind) {
  const std::string scene = "C:\\maps\\mission1.ini";
  // Nothing chosen yet: the scene's folder and name; an untitled screen proposes nothing.
  EXPECT_EQ(ProposedOutputPath({}, scene, kShpExtension), "C:\\maps\\mission1.shp");
  EXPECT_EQ(ProposedOutputPath({}, scene, ".png"), "C:\\maps\\mission1.png");
  EXPECT_EQ(ProposedOutputPath({}, "", kShpExtension), "");
  // Chosen for this scene: proposed again, whatever its name.
  const ChosenOutput chosen{"D:\\game\\ALL01.SHP", scene};
  EXPECT_EQ(ProposedOutputPath(chosen, scene, kShpExtension), "D:\\game\\ALL01.SHP");
  // Another scene now: its own name. Untitled now: the last choice.
  EXPECT_EQ(ProposedOutputPath(chosen, "C:\\maps\\mission2.ini", kShpExtension), "C:\\maps\\mission2.shp");
  EXPECT_EQ(ProposedOutputPath(chosen, "", kShpExtension), "D:\\game\\ALL01.SHP");
  EXPECT_EQ(ProposedOutputPath({"D:\\out.shp", ""}, "", kShpExtension), "D:\\out.shp");
  // A scene without an extension, or with a dot in its folder.
  EXPECT_EQ(ProposedOutputPath({}, "C:\\maps.v2\\mission", kShpExtension), "C:\\maps.v2\\mission.shp");
}

TEST(OutputNames, ImageTypeLastChosenIsKept) {
  EXPECT_EQ(ImageExtensionOf("D:\\shots\\screen.gif"), ".gif");
  EXPECT_EQ(ImageExtensionOf("screen.JPEG"), ".JPEG");
  EXPECT_EQ(ImageExtensionOf("screen.tga"), ".tga");
  EXPECT_EQ(ImageExtensionOf(""), ".png");
  EXPECT_EQ(ImageExtensionOf("screen.tif"), ".png");  // not a type the editor writes
  EXPECT_EQ(ImageExtensionOf("D:\\a.gif\\screen"), ".png");
  // From a scene after a GIF was saved for another one: the scene's name, still a GIF.
  const ChosenOutput gif{"D:\\shots\\old.gif", "C:\\maps\\mission1.ini"};
  EXPECT_EQ(ProposedOutputPath(gif, "C:\\maps\\mission2.ini", ImageExtensionOf(gif.path)), "C:\\maps\\mission2.gif");
}

}  // namespace
