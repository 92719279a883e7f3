// A process killed at any step of a pair commit leaves both files, each old or completely
// new, and the next successful commit clears what it left behind.
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "file_replacement.h"
#include "temp_folder.h"

TEST(FileReplacementKilled, AKillAtAnyStepLosesNeitherFile) {
  for (int killAt = 1; killAt <= 4; ++killAt) {
    TempFolder folder;
    folder.Write("a.pal", "old palette");
    folder.Write("a.shp", "old sprite");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      FileReplacement pal(folder.Path("a.pal")), shp(folder.Path("a.shp"));
      std::string reason;
      pal.WriteAll("new palette", 11, reason);
      shp.WriteAll("new sprite", 10, reason);
      int step = 0;
      CommitFailure failure;
      CommitReplacements({&pal, &shp}, failure, [&] {
        if (++step == killAt) raise(SIGKILL);
      });
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "step " << killAt << " was reached";
    const std::string pal = ReadWholeFile(folder.Path("a.pal")), shp = ReadWholeFile(folder.Path("a.shp"));
    EXPECT_TRUE(pal == "old palette" || pal == "new palette") << killAt << ": " << pal;
    EXPECT_TRUE(shp == "old sprite" || shp == "new sprite") << killAt << ": " << shp;

    FileReplacement again(folder.Path("a.pal")), sprite(folder.Path("a.shp"));
    std::string reason;
    ASSERT_TRUE(again.WriteAll("third", 5, reason) && sprite.WriteAll("third", 5, reason)) << reason;
    CommitFailure failure;
    ASSERT_TRUE(CommitReplacements({&again, &sprite}, failure)) << failure.reason;
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"a.pal", "a.shp"})) << killAt;
  }
}
