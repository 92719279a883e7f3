#include "file_class.h"

#include <gtest/gtest.h>

#include <cstring>

#include "export_test_support.h"
#include "fifo_guard.h"
#include "pal_file.h"
#include "shp_reader.h"
#include "text_file.h"

namespace {

TEST(FileClass, OpenWithoutNameFails) {
  FileClass file;
  EXPECT_EQ(file.Open(FileClass::kRead), 0);
  EXPECT_EQ(file.Open(FileClass::kWrite), 0);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.GetHandle(), FileClass::kInvalidHandle);
}

TEST(FileClass, OpenForReadingAMissingFileFails) {
  ScratchFolder folder;
  FileClass file(folder.Path("missing.pal").c_str());
  EXPECT_EQ(file.Open(FileClass::kRead), 0);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(FileExists(folder.Path("missing.pal")));
}

TEST(FileClass, OpenForWritingEmptiesAnExistingFile) {
  ScratchFolder folder;
  const std::string path = folder.Write("old.bin", Bytes(100, 7));
  FileClass file(path.c_str());
  ASSERT_EQ(file.Open(FileClass::kWrite), 1);
  EXPECT_EQ(file.GetSize(), 0u);
  file.Close();
  EXPECT_TRUE(ReadBytes(path).empty());
}

TEST(FileClass, OpenForReadingAndWritingCreatesAFile) {
  ScratchFolder folder;
  FileClass file(folder.Path("new.bin").c_str());
  ASSERT_EQ(file.Open(FileClass::kReadWrite), 1);
  const char text[] = "abcdef";
  ASSERT_EQ(file.Write(text, 6), 1);
  EXPECT_EQ(file.Seek(2, 0), 1);
  char back[4] = {};
  ASSERT_EQ(file.Read(back, 3), 1);
  EXPECT_STREQ(back, "cde");
  EXPECT_EQ(file.Seek(-1, 1), 1);
  ASSERT_EQ(file.Read(back, 1), 1);
  EXPECT_EQ(back[0], 'f');
  EXPECT_EQ(file.Seek(-3, 2), 1);
  ASSERT_EQ(file.Read(back, 1), 1);
  EXPECT_EQ(back[0], 'd');
}

TEST(FileClass, ShortReadFailsButKeepsTheBytesAndTheFileOpen) {
  ScratchFolder folder;
  Bytes content(767);
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<std::uint8_t>(i * 7);
  FileClass file(folder.Write("short.pal", content).c_str());
  ASSERT_EQ(file.Open(FileClass::kRead), 1);
  EXPECT_EQ(file.GetSize(), 767u);
  Bytes buffer(768, 0xEE);
  EXPECT_EQ(file.Read(buffer.data(), 768), 0);
  EXPECT_TRUE(std::equal(content.begin(), content.end(), buffer.begin()));
  EXPECT_TRUE(file.IsOpen());
}

TEST(FileClass, ZeroCountsAndNullBuffersFail) {
  ScratchFolder folder;
  FileClass file(folder.Write("data.bin", Bytes(10, 1)).c_str());
  ASSERT_EQ(file.Open(FileClass::kReadWrite), 1);
  char byte = 0;
  EXPECT_EQ(file.Read(&byte, 0), 0);
  EXPECT_EQ(file.Write(&byte, 0), 0);
  EXPECT_EQ(file.Read(nullptr, 1), 0);
  EXPECT_EQ(file.Write(nullptr, 1), 0);
}

TEST(FileClass, ReadAndWriteOnAClosedFileFail) {
  FileClass file;
  char byte = 0;
  EXPECT_EQ(file.Read(&byte, 1), 0);
  EXPECT_EQ(file.Write(&byte, 1), 0);
  EXPECT_EQ(file.Close(), 1);
}

TEST(FileClass, SizeAndSeekOnAClosedFileThrowFileNotOpen) {
  FileClass file;
  EXPECT_THROW(file.GetSize(), FileNotOpenError);
  EXPECT_THROW(file.Seek(0, 0), FileNotOpenError);
}

TEST(FileClass, NameIsShownOnlyWhileOpen) {
  ScratchFolder folder;
  const std::string path = folder.Path("named.bin");
  FileClass file(path.c_str());
  EXPECT_STREQ(file.GetName(), "Not-open");
  ASSERT_EQ(file.Open(FileClass::kWrite), 1);
  EXPECT_EQ(std::string(file.GetName()), path);
  file.Close();
  EXPECT_STREQ(file.GetName(), "Not-open");
  EXPECT_EQ(file.GetHandle(), FileClass::kInvalidHandle);
}

TEST(FileClass, SecondOpenClosesTheFirstFile) {
  ScratchFolder folder;
  FileClass file(folder.Path("first.bin").c_str());
  ASSERT_EQ(file.Open(FileClass::kWrite), 1);
  ASSERT_EQ(file.Write("1234", 4), 1);
  file.SetName(folder.Path("second.bin").c_str());
  EXPECT_TRUE(file.IsOpen());  // renaming keeps the open file
  ASSERT_EQ(file.Open(FileClass::kWrite), 1);
  ASSERT_EQ(file.Write("56", 2), 1);
  file.Close();
  // The first file was closed (complete, and openable again with exclusive sharing).
  FileClass again(folder.Path("first.bin").c_str());
  ASSERT_EQ(again.Open(FileClass::kRead), 1);
  EXPECT_EQ(again.GetSize(), 4u);
  EXPECT_EQ(ReadBytes(folder.Path("second.bin")).size(), 2u);
}

TEST(FileClass, OverlongNamesAreRefusedAndLeaveNoName) {
  ScratchFolder folder;
  FileClass file(folder.Path("kept.bin").c_str());
  const std::string longest(FileClass::kMaxFileName - 1, 'a'), tooLong(FileClass::kMaxFileName, 'a');
  EXPECT_TRUE(file.SetName(longest.c_str()));
  EXPECT_FALSE(file.SetName(tooLong.c_str()));
  EXPECT_EQ(file.Open(FileClass::kWrite), 0);  // no name kept, so nothing opens
  EXPECT_FALSE(file.SetName(nullptr));
}

TEST(FileClass, FolderCannotBeOpenedAsAFile) {
  ScratchFolder folder;
  FileClass file(folder.Folder().c_str());
  EXPECT_EQ(file.Open(FileClass::kRead), 0);
  EXPECT_EQ(file.Open(FileClass::kWrite), 0);
}

#ifndef _WIN32
// Every reader of a file of ours (the palette of an export or of inspect, an SHP to inspect,
// the package's readme) opens it through FileClass: a FIFO is refused at once instead of
// waiting for a writer, and a device such as /dev/zero is no palette of 768 zeros.
TEST(FileClass, ReadingOpensOnlyRegularFilesAndNeverWaits) {
  ScratchFolder folder;
  const std::string fifo = folder.Path("pipe.pal");
  ASSERT_TRUE(MakeFifo(fifo));
  for (const std::string& path : {fifo, std::string("/dev/zero")}) {
    EXPECT_TRUE(ReturnsWithoutAWriter(fifo, [&] {
      FileClass file(path.c_str());
      EXPECT_EQ(file.Open(FileClass::kRead), 0) << path;
      EXPECT_EQ(file.ErrorText(), "it is not a regular file") << path;
      Palette palette{};
      std::string reason;
      EXPECT_EQ(ReadPalFile(path.c_str(), palette, reason), PalReadStatus::kOpenError) << path;
      EXPECT_EQ(reason, "it is not a regular file");
      FileBytes bytes;
      EXPECT_FALSE(ReadFileBytes(path.c_str(), bytes, reason)) << path;
      EXPECT_NE(reason.find("it is not a regular file"), std::string::npos) << reason;
      std::string text;
      EXPECT_FALSE(ReadTextFile(path.c_str(), text, 1024)) << path;
    })) << path;
  }
  FileClass folderFile(folder.Folder().c_str());
  EXPECT_EQ(folderFile.Open(FileClass::kRead), 0);
  EXPECT_EQ(folderFile.ErrorText(), "it is a folder");
}
#endif

#ifdef _WIN32
TEST(FileClass, OpenFileKeepsOtherOpenersOut) {
  ScratchFolder folder;
  FileClass first(folder.Path("shared.bin").c_str()), second(folder.Path("shared.bin").c_str());
  ASSERT_EQ(first.Open(FileClass::kWrite), 1);
  EXPECT_EQ(second.Open(FileClass::kRead), 0);
  first.Close();
  EXPECT_EQ(second.Open(FileClass::kRead), 1);
}
#endif

TEST(FileClass, SizeIsSixtyFourBits) {
  ScratchFolder folder;
  FileClass file(folder.Path("sparse.bin").c_str());
  ASSERT_EQ(file.Open(FileClass::kReadWrite), 1);
  // Past 4 GiB: seek on from the current position in 2 GiB - 1 steps, write one byte
  // (the file stays sparse).
  for (int i = 0; i < 2; ++i) file.Seek(0x7FFFFFFF, 3);
  file.Seek(0x40000002, 3);
  ASSERT_EQ(file.Write("x", 1), 1);
  EXPECT_EQ(file.GetSize(), 2ull * 0x7FFFFFFF + 0x40000002 + 1);
}

}  // namespace
