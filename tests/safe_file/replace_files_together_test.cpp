// Contents held in memory replacing a group of files: all of them or none, with a message
// that names the file.
#include "replace_files_together.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace {

struct TwoFiles {
  TempFolder folder;
  TwoFiles() {
    folder.Write("a.png", "old picture");
    folder.Write("a.ini", "old scene");
  }
  std::vector<FileContent> Contents(const std::string& second) const {
    return {{folder.Path("a.png"), "new picture"}, {folder.Path(second), "new scene"}};
  }
};

}  // namespace

TEST(ReplaceFilesTogether, AllAreWrittenOrNoneIsTouched) {
  {
    TwoFiles two;
    std::string error;
    ASSERT_TRUE(ReplaceFilesTogether(two.Contents("a.ini"), error)) << error;
    EXPECT_EQ(ReadWholeFile(two.folder.Path("a.png")), "new picture");
    EXPECT_EQ(ReadWholeFile(two.folder.Path("a.ini")), "new scene");
    EXPECT_EQ(two.folder.Names(), (std::set<std::string>{"a.ini", "a.png"}));
  }
  // A target that cannot be written is found before the first one is touched.
  TwoFiles two;
  std::filesystem::create_directory(two.folder.Path("dir.ini"));
  std::string error;
  EXPECT_FALSE(ReplaceFilesTogether(two.Contents("dir.ini"), error));
  EXPECT_EQ(error, "cannot write " + two.folder.Path("dir.ini") + ": it is a folder");
  EXPECT_FALSE(ReplaceFilesTogether(two.Contents("missing/a.ini"), error));
  EXPECT_EQ(error, "cannot write " + two.folder.Path("missing/a.ini") + ": the folder " + two.folder.Path("missing") +
                       " does not exist");
  EXPECT_EQ(ReadWholeFile(two.folder.Path("a.png")), "old picture");
  EXPECT_EQ(two.folder.Names(), (std::set<std::string>{"a.ini", "a.png", "dir.ini"}));
}

TEST(ReplaceFilesTogether, AFailedCommitBringsTheEarlierFileBack) {
  TwoFiles two;
  // Once the picture is in, the scene's new content disappears: its rename must fail.
  bool removed = false;
  const CommitStep loseTheScene = [&] {
    if (removed) return;
    for (const auto& entry : std::filesystem::directory_iterator(two.folder.Folder())) {
      const std::string name = entry.path().filename().string();
      if (IsLeftoverName(name, "a.ini") && name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0)
        removed = std::filesystem::remove(entry.path());
    }
  };
  std::string error;
  EXPECT_FALSE(ReplaceFilesTogether(two.Contents("a.ini"), error, loseTheScene));
  EXPECT_TRUE(removed);
  EXPECT_EQ(error.rfind("cannot replace " + two.folder.Path("a.ini") + ": ", 0), 0u) << error;
  EXPECT_EQ(ReadWholeFile(two.folder.Path("a.png")), "old picture");
  EXPECT_EQ(ReadWholeFile(two.folder.Path("a.ini")), "old scene");
  EXPECT_EQ(two.folder.Names(), (std::set<std::string>{"a.ini", "a.png"}));
}
