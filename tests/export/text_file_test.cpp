#include "text_file.h"

#include <gtest/gtest.h>

#include "export_test_support.h"

namespace {

TEST(TextFile, ReadsWholeFilesEmptyFilesAndOnlyTheLimitOfLargeOnes) {
  ScratchFolder folder;
  std::string text = "left over";
  EXPECT_FALSE(ReadTextFile(folder.Path("missing.txt").c_str(), text));
  EXPECT_EQ(text, "");
  EXPECT_FALSE(ReadTextFile(folder.Folder().c_str(), text)) << "a folder is no text file";

  EXPECT_TRUE(ReadTextFile(folder.Write("empty.txt", "").c_str(), text));
  EXPECT_EQ(text, "");

  const std::string path = folder.Write("readme.txt", std::string("line 1\r\nline 2\0tail", 20));
  EXPECT_TRUE(ReadTextFile(path.c_str(), text));
  EXPECT_EQ(text, std::string("line 1\r\nline 2\0tail", 20));
  EXPECT_TRUE(ReadTextFile(path.c_str(), text, 6));
  EXPECT_EQ(text, "line 1");
}

TEST(TextFile, EveryLineBreakBecomesCarriageReturnAndLineFeed) {
  const struct {
    std::string in, out;
  } rows[] = {
      {"", ""},
      {"a\r\nb", "a\r\nb"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"\n\n", "\r\n\r\n"},
      {"a\r\n\nb", "a\r\n\r\nb"},
      {"a\rb", "a\rb"},
      {std::string("a\nb\0c\n", 6), "a\r\nb"},
  };
  for (const auto& row : rows) EXPECT_EQ(WithCrLfLineBreaks(row.in), row.out) << row.in;
}

}  // namespace
