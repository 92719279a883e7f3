// Safe file replacement: complete content or the old one at every instant, and nothing of
// ours left beside the targets afterwards.
#include "file_replacement.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "temp_folder.h"

namespace {

// Two targets with old content and their replacements written, ready to commit.
struct PairOnDisk {
  TempFolder folder;
  FileReplacement pal{folder.Path("a.pal")};
  FileReplacement shp{folder.Path("a.shp")};
  PairOnDisk() {
    folder.Write("a.pal", "old palette");
    folder.Write("a.shp", "old sprite");
    std::string reason;
    EXPECT_TRUE(pal.WriteAll("new palette", 11, reason)) << reason;
    EXPECT_TRUE(shp.WriteAll("new sprite", 10, reason)) << reason;
  }
  std::string Pal() const { return ReadWholeFile(folder.Path("a.pal")); }
  std::string Shp() const { return ReadWholeFile(folder.Path("a.shp")); }
};

}  // namespace

TEST(FileReplacement, EveryStepOfAPairCommitLeavesBothFilesWhole) {
  PairOnDisk pair;
  // Leftovers of an earlier run that was killed, beside a file that is not ours.
  pair.folder.Write("a.pal.~0123456789ab.tmp", "stale");
  pair.folder.Write("a.shp.~00ff.bak", "stale");
  pair.folder.Write("a.pal.~notes.txt", "keep");
  pair.folder.Write("b.pal.~0123456789ab.tmp", "another target's");
  pair.folder.Write("a.shp.~0123456789ab-4000000001.tmp", "a run that is gone");
  // Another writer of the same target, still going: its file is not ours to remove.
  FileReplacement live(pair.folder.Path("a.pal"));
  std::string reason;
  ASSERT_TRUE(live.Create(reason)) << reason;
  const std::string liveName = std::filesystem::path(live.temporaryPath()).filename().string();
  int steps = 0;
  CommitFailure failure;
  ASSERT_TRUE(CommitReplacements({&pair.pal, &pair.shp}, failure, [&] {
    ++steps;
    EXPECT_TRUE(pair.Pal() == "old palette" || pair.Pal() == "new palette") << pair.Pal();
    EXPECT_TRUE(pair.Shp() == "old sprite" || pair.Shp() == "new sprite") << pair.Shp();
    EXPECT_FALSE(pair.Shp() == "new sprite" && pair.Pal() == "old palette") << "the palette goes in first";
  }));
  EXPECT_GE(steps, 3);
  EXPECT_EQ(pair.Pal(), "new palette");
  EXPECT_EQ(pair.Shp(), "new sprite");
  EXPECT_EQ(pair.folder.Names(),
            (std::set<std::string>{"a.pal", "a.shp", "a.pal.~notes.txt", "b.pal.~0123456789ab.tmp", liveName}));
}

TEST(FileReplacement, AFailedCommitPutsTheEarlierFilesBack) {
  for (bool palExisted : {true, false}) {
    PairOnDisk pair;
    if (!palExisted) std::filesystem::remove(pair.folder.Path("a.pal"));
    std::filesystem::remove(pair.shp.temporaryPath());  // the second rename will fail
    CommitFailure failure;
    EXPECT_FALSE(CommitReplacements({&pair.pal, &pair.shp}, failure));
    EXPECT_EQ(failure.file, pair.folder.Path("a.shp"));
    EXPECT_FALSE(failure.reason.empty());
    EXPECT_EQ(pair.Pal(), palExisted ? "old palette" : "");
    EXPECT_EQ(pair.Shp(), "old sprite");
    EXPECT_EQ(pair.folder.Names(),
              palExisted ? (std::set<std::string>{"a.pal", "a.shp"}) : (std::set<std::string>{"a.shp"}));
  }
}

TEST(FileReplacement, TargetProblemsAreNamed) {
  TempFolder folder;
  std::filesystem::create_directory(folder.Path("dir"));
  folder.Write("file", "x");
  const std::string missing = folder.Path("missing");
  EXPECT_EQ(FileReplacement(folder.Path("dir")).TargetProblem(), "it is a folder");
  EXPECT_EQ(FileReplacement(missing + "/a.png").TargetProblem(), "the folder " + missing + " does not exist");
  EXPECT_EQ(FileReplacement(folder.Path("file") + "/a.png").TargetProblem(), folder.Path("file") + " is not a folder");
  EXPECT_EQ(FileReplacement(folder.Path("new.png")).TargetProblem(), "");

  // A write that fails leaves no temporary file; one that is never committed neither.
  {
    FileReplacement file(folder.Path("dir"));
    std::string reason;
    EXPECT_TRUE(file.WriteAll("abc", 3, reason));
    EXPECT_FALSE(CommitReplacement(file, reason));
    EXPECT_EQ(reason, "it is a folder");
  }
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"dir", "file"}));
}

#ifndef _WIN32
// A target that is a symbolic link stays one, as editors keep it: the file it leads to (at
// the end of a chain of links) gets the new content, and a link to nowhere makes its file.
TEST(FileReplacement, ASymbolicLinkStaysAndTheFileItLeadsToIsReplaced) {
  namespace fs = std::filesystem;
  TempFolder folder;
  fs::create_directory(folder.Path("real"));
  folder.Write("real/a.pal", "old palette");
  folder.Write("real/b.shp", "old sprite");
  fs::create_symlink("real/a.pal", folder.Path("a.pal"));
  fs::create_symlink(folder.Path("real/b.shp"), folder.Path("c.shp"));
  fs::create_symlink("c.shp", folder.Path("b.shp"));
  fs::create_symlink("real/d.png", folder.Path("d.png"));
  FileReplacement pal(folder.Path("a.pal")), shp(folder.Path("b.shp")), png(folder.Path("d.png"));
  std::string reason;
  ASSERT_TRUE(pal.WriteAll("new palette", 11, reason) && shp.WriteAll("new sprite", 10, reason) &&
              png.WriteAll("picture", 7, reason))
      << reason;
  CommitFailure failure;
  ASSERT_TRUE(CommitReplacements({&pal, &shp}, failure)) << failure.reason;
  ASSERT_TRUE(CommitReplacement(png, reason)) << reason;

  for (const char* link : {"a.pal", "b.shp", "c.shp", "d.png"}) EXPECT_TRUE(fs::is_symlink(folder.Path(link))) << link;
  EXPECT_EQ(fs::read_symlink(folder.Path("a.pal")), "real/a.pal");
  EXPECT_EQ(ReadWholeFile(folder.Path("real/a.pal")), "new palette");
  EXPECT_EQ(ReadWholeFile(folder.Path("real/b.shp")), "new sprite");
  EXPECT_EQ(ReadWholeFile(folder.Path("real/d.png")), "picture");
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"a.pal", "b.shp", "c.shp", "d.png", "real"}));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path("real")), fs::directory_iterator()), 3);
}
#endif

TEST(FileReplacement, LeftoverNamesAreOnlyOurs) {
  EXPECT_TRUE(IsLeftoverName("a.pal.~0123456789ab.tmp", "a.pal"));
  EXPECT_TRUE(IsLeftoverName("a.pal.~1.bak", "a.pal"));
  EXPECT_FALSE(IsLeftoverName("a.pal.~.tmp", "a.pal"));
  EXPECT_FALSE(IsLeftoverName("a.pal.~12g4.tmp", "a.pal"));
  EXPECT_FALSE(IsLeftoverName("a.pal.~1234.txt", "a.pal"));
  EXPECT_FALSE(IsLeftoverName("b.pal.~1234.tmp", "a.pal"));
  EXPECT_FALSE(IsLeftoverName("a.pal", "a.pal"));
  unsigned long owner = 1;
  EXPECT_TRUE(IsLeftoverName("a.pal.~00ff-4321.tmp", "a.pal", owner));
  EXPECT_EQ(owner, 4321ul);
  EXPECT_TRUE(IsLeftoverName("a.pal.~00ff.tmp", "a.pal", owner));
  EXPECT_EQ(owner, 0ul);
  EXPECT_FALSE(IsLeftoverName("a.pal.~00ff-.tmp", "a.pal"));
  EXPECT_FALSE(IsLeftoverName("a.pal.~00ff-12x.tmp", "a.pal"));
}
