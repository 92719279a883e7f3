#include "proposed_file_name.h"

#include <gtest/gtest.h>

namespace {

TEST(ProposedFileName, KeepsFolderAndNameWithTheDialogsOwnType) {
  const auto shp = [](std::string_view last) { return ProposedFileName(last, {".shp"}, ".shp"); };
  EXPECT_EQ(shp("C:\\work\\battle.png"), "C:\\work\\battle.shp");
  EXPECT_EQ(shp("C:\\work\\battle.SHP"), "C:\\work\\battle.SHP");
  EXPECT_EQ(shp("C:\\work.v2\\battle"), "C:\\work.v2\\battle");  // the dialog adds its own
  EXPECT_EQ(shp("C:\\work\\.png"), "C:\\work\\.png");
  EXPECT_EQ(shp(""), "");
  const auto image = [](std::string_view last) { return ProposedFileName(last, {".png", ".bmp", ".jpg"}, ".bmp"); };
  EXPECT_EQ(image("D:/x/mission1.shp"), "D:/x/mission1.bmp");
  EXPECT_EQ(image("D:/x/mission1.jpg"), "D:/x/mission1.jpg");
}

}  // namespace
