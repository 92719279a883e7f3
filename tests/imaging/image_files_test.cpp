#include "image_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "dib_image.h"
#include "image_file_cache.h"
#include "image_lib.h"
#include "memory_image.h"
#include "temp_folder.h"
#include "test_images.h"

namespace fs = std::filesystem;

namespace {

class ImageFiles : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return folder_.Path(name); }
  void WriteBytes(const char* name, const std::string& bytes) const { folder_.Write(name, bytes); }
  int FileCount() const { return static_cast<int>(folder_.Names().size()); }
  TempFolder folder_;
};

MemoryImage Pattern(int w, int h) {
  MemoryImage image;
  image.Create(w, h);
  FillPattern(image);
  return image;
}

}  // namespace

TEST_F(ImageFiles, LosslessFormatsRoundTrip) {
  const MemoryImage original = Pattern(7, 5);
  for (const char* name : {"a.png", "b.bmp", "c.tga", "D.PNG"}) {
    ASSERT_TRUE(SaveImageFile(Path(name).c_str(), original)) << name;
    MemoryImage loaded;
    ASSERT_TRUE(LoadImageFile(Path(name).c_str(), loaded)) << name;
    EXPECT_EQ(loaded.width, 7);
    EXPECT_EQ(loaded.height, 5);
    EXPECT_EQ(PixelsOf(loaded), PixelsOf(original)) << name;
  }
  EXPECT_EQ(FileCount(), 4) << "no temporary file stays behind";
}

TEST_F(ImageFiles, LoadingIntoADibImagePutsTheTopRowAtRowZero) {
  MemoryImage original = Pattern(4, 3);
  ASSERT_TRUE(SaveImageFile(Path("t.png").c_str(), original));
  DibImage dib;
  ASSERT_TRUE(LoadImageFile(Path("t.png").c_str(), dib));
  EXPECT_EQ(dib.GetRow(0)[1], original.ReadPixel(1, 0));
  EXPECT_EQ(PixelsOf(dib), PixelsOf(original));
}

TEST_F(ImageFiles, JpegKeepsSizeAndClearsTheTopByte) {
  MemoryImage original;
  original.Create(16, 8);
  original.Fill(0x00808080);
  ASSERT_TRUE(SaveImageFile(Path("j.jpg").c_str(), original));
  MemoryImage loaded;
  ASSERT_TRUE(LoadImageFile(Path("j.jpg").c_str(), loaded));
  EXPECT_EQ(loaded.width, 16);
  for (Pixel p : PixelsOf(loaded)) EXPECT_EQ(p >> 24, 0u);
}

TEST_F(ImageFiles, CorruptInputsAreACleanFalse) {
  ASSERT_TRUE(SaveImageFile(Path("good.png").c_str(), Pattern(20, 20)));
  const std::string good = ReadWholeFile(Path("good.png"));
  WriteBytes("truncated.png", good.substr(0, good.size() / 2));
  static const char kRandom[] = "\x13\x37 this is not an image at all \xff\xfe";
  WriteBytes("random.png", std::string(kRandom, sizeof kRandom - 1));
  WriteBytes("empty.png", "");
  // A valid PNG header (signature + IHDR) claiming 100000 x 100000 pixels.
  std::string huge = good.substr(0, 33);
  const unsigned char size[8] = {0x00, 0x01, 0x86, 0xA0, 0x00, 0x01, 0x86, 0xA0};
  std::memcpy(&huge[16], size, 8);
  WriteBytes("huge.png", huge + good.substr(33));
  fs::create_directory(Path("folder.png"));

  const std::pair<const char*, const char*> cases[] = {
      {"truncated.png", "the file is truncated"},
      {"random.png", "unsupported format (not a PNG, BMP, JPEG, TGA or GIF image)"},
      {"empty.png", "the file is empty"},
      {"huge.png", "the image is 100000 x 100000 pixels, more than"},
      {"missing.png", "No such file or directory"},
      {"folder.png", "it is a folder"},
  };
  for (const auto& [name, reason] : cases) {
    MemoryImage image;
    std::string why;
    EXPECT_FALSE(LoadImageFile(Path(name).c_str(), image, why)) << name;
    EXPECT_EQ(why.rfind(reason, 0), 0u) << name << ": " << why;
    EXPECT_FALSE(image.valid) << name;
    EXPECT_EQ(image.width, 0) << name;
  }
}

TEST_F(ImageFiles, ImageLoadRefusesAFileWhoseSizeChanged) {
  ASSERT_TRUE(SaveImageFile(Path("x.png").c_str(), Pattern(4, 4)));
  ImageSize size{};
  ASSERT_TRUE(ImageGetSize(Path("x.png").c_str(), &size));
  ASSERT_TRUE(SaveImageFile(Path("x.png").c_str(), Pattern(8, 8)));
  Pixel buffer[16] = {};
  EXPECT_FALSE(ImageLoad(Path("x.png").c_str(), buffer, size.width, size.height));
}

TEST_F(ImageFiles, AFailedSaveKeepsTheOldFile) {
  ASSERT_TRUE(SaveImageFile(Path("keep.png").c_str(), Pattern(3, 3)));
  const std::string before = ReadWholeFile(Path("keep.png"));
  MemoryImage empty;
  EXPECT_FALSE(SaveImageFile(Path("keep.png").c_str(), empty));
  std::string reason;
  EXPECT_FALSE(SaveImageFile(Path("keep.xyz").c_str(), Pattern(3, 3), reason)) << "unknown extension";
  EXPECT_EQ(reason, "unsupported format '.xyz' (use .png, .bmp, .tga or .jpg)");
  EXPECT_FALSE(SaveImageFile(Path("no-such-folder/a.png").c_str(), Pattern(3, 3), reason));
  EXPECT_EQ(reason, "the folder " + Path("no-such-folder") + " does not exist");
  // A folder where the file should go.
  fs::create_directories(fs::path(Path("taken.png")) / "inside");
  EXPECT_FALSE(SaveImageFile(Path("taken.png").c_str(), Pattern(3, 3), reason));
  EXPECT_EQ(reason, "it is a folder");
  EXPECT_EQ(ReadWholeFile(Path("keep.png")), before);
  EXPECT_EQ(FileCount(), 2) << "only keep.png and the folder remain";
}

TEST(ImageFilter, IsBuiltAsTheDialogExpects) {
  char filter[kImageFilterSize];
  BuildImageFilter(filter, "*.png;*.bmp");
  const char expected[] = "Image files:(*.png;*.bmp)\0*.png;*.bmp\0All files (*.*)\0*.*\0";
  EXPECT_EQ(std::memcmp(filter, expected, sizeof expected), 0);

  const std::string longest(109, 'x');  // 37 + 2 * 109 = 255 bytes: still fits
  BuildImageFilter(filter, longest.c_str());
  EXPECT_EQ(std::string(filter), "Image files:(" + longest + ")");
  EXPECT_EQ(filter[254], '\0');

  const std::string tooLong(110, 'x');
  BuildImageFilter(filter, tooLong.c_str());
  EXPECT_EQ(std::string(filter), "All files (*.*)");
  EXPECT_EQ(std::string(filter + 16), "*.*");
  EXPECT_EQ(filter[20], '\0');

  ASSERT_TRUE(InitImageFiles());
  EXPECT_EQ(std::string(ImageFilter), std::string("Image files:(") + ImageOpenFilterStr() + ")");
}

// The cache decodes a path once: after the file is gone it still hands out the picture, and
// a file that was missing stays missing.
TEST_F(ImageFiles, CacheDecodesEachFileOnce) {
  const MemoryImage original = Pattern(9, 4);
  ASSERT_TRUE(SaveImageFile(Path("t.png").c_str(), original));
  ImageFileCache cache;
  MemoryImage first, second, missing;
  ASSERT_TRUE(cache.Load(Path("t.png"), first));
  fs::remove(Path("t.png"));
  ASSERT_TRUE(cache.Load(Path("t.png"), second));
  ASSERT_EQ(second.width, 9);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_EQ(second.ReadPixel(x, y), original.ReadPixel(x, y));
  EXPECT_FALSE(cache.Load(Path("none.png"), missing));
  ASSERT_TRUE(SaveImageFile(Path("none.png").c_str(), original));
  EXPECT_FALSE(LoadImageFileVia(&cache, Path("none.png"), missing));
  EXPECT_TRUE(LoadImageFileVia(nullptr, Path("none.png"), missing));
}

// A picture handed out to be read shares the cache's pixels: the top rows asked for, the
// same with or without an announcement, and still there after the cache has gone.
TEST_F(ImageFiles, SharedCacheHandsOutItsOwnRowsToRead) {
  const MemoryImage original = Pattern(6, 5);
  ASSERT_TRUE(SaveImageFile(Path("t.png").c_str(), original));
  MemoryImage top, whole, copy;
  {
    ImageFileCache cache;
    cache.Prefetch({{Path("t.png"), 0}, {Path("none.png"), 0}});
    std::string reason;
    ASSERT_TRUE(cache.LoadRowsToRead(Path("t.png"), top, 3, reason));
    ASSERT_TRUE(cache.LoadRowsToRead(Path("t.png"), whole, 0, reason));
    ASSERT_TRUE(cache.LoadRows(Path("t.png"), copy, 2, reason));
    EXPECT_EQ(top.GetRow(0), whole.GetRow(0));
    EXPECT_NE(copy.GetRow(0), whole.GetRow(0));
    EXPECT_FALSE(cache.LoadRowsToRead(Path("none.png"), copy, 0, reason));
    EXPECT_FALSE(reason.empty());
  }
  ASSERT_EQ(top.height, 3);
  ASSERT_EQ(whole.height, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      ASSERT_EQ(whole.ReadPixel(x, y), original.ReadPixel(x, y));
      if (y < 3) {
        ASSERT_EQ(top.ReadPixel(x, y), original.ReadPixel(x, y));
      }
    }
  const MemoryImage deep = whole;
  whole.Free();
  EXPECT_EQ(deep.ReadPixel(5, 4), original.ReadPixel(5, 4));
}
