// Write failures of the export, provoked with a limit on the size of files this process may
// write (writes past it fail with EFBIG once SIGXFSZ is ignored).
#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include "export_test_support.h"
#include "memory_image.h"
#include "shp_export.h"

namespace {

// Lowers the file size limit for its lifetime.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved_;
    lowered.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST(ShpExportWriteFailure, EachWriteReportsItsOwnMessage) {
  struct Case {
    rlim_t limit;
    const char* message;
  };
  // A 4 x 2 picture: an SHP of 32 + 8 bytes, a PAL of 768.
  const Case cases[] = {
      {0, "SHP file write error (SHP2FILEHEADER)!"},
      {4, "SHP file write error (SHP2FILEHEADER)!"},
      {8, "SHP file write error (SHP2FRAMEINFO)!"},
      {20, "SHP file write error (SHP2FRAMEINFO)!"},
      {32, "SHP file write error (Image data)!"},
      {39, "SHP file write error (Image data)!"},
      {100, "Palette file write error!"},
      {767, "Palette file write error!"},
  };
  const Pixel pixels[8] = {1, 2, 3, 4, 0xFFFFFF, 0x808080, 0x00FF00, 0xFF0000};
  MemoryImage picture;
  ASSERT_TRUE(picture.CreateFromPixels(pixels, 4, 2));
  for (const Case& c : cases) {
    ScratchFolder folder;
    const Bytes earlierShp(50, 0x11), earlierPal(768, 0x22);
    folder.Write("screen.shp", earlierShp);
    folder.Write("screen.pal", earlierPal);
    ShpExportSettings settings;
    settings.exportPath = folder.Path("screen.shp");
    settings.palettePath = folder.Path("screen.pal");
    ShpExportResult result;
    {
      FileSizeLimit limit(c.limit);
      result = ExportPictureAsShp(picture, settings);
    }
    EXPECT_FALSE(result.success) << c.limit;
    EXPECT_EQ(result.message, c.message) << c.limit;
    EXPECT_EQ(result.caption, "Error");
    EXPECT_EQ(ReadBytes(settings.exportPath), earlierShp) << c.limit;
    EXPECT_EQ(ReadBytes(settings.palettePath), earlierPal) << c.limit;
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"screen.pal", "screen.shp"})) << c.limit;
  }
}

TEST(ShpExportWriteFailure, ExistingPaletteModeNeedsNoPaletteWrite) {
  ScratchFolder folder;
  folder.Write("screen.pal", Bytes(768, 0));
  const Pixel pixels[2] = {1, 2};
  MemoryImage picture;
  ASSERT_TRUE(picture.CreateFromPixels(pixels, 2, 1));
  ShpExportSettings settings;
  settings.exportPath = folder.Path("screen.shp");
  settings.palettePath = folder.Path("screen.pal");
  settings.paletteMode = ExistingPalette;
  FileSizeLimit limit(34);
  EXPECT_TRUE(ExportPictureAsShp(picture, settings).success);
}

}  // namespace
