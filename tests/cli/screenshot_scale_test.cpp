// ScreenshotScale in scenes: `vantorel render` checked pixel for pixel against the rule
// worked out here on its own (the region cut by hand, stb's resize called directly), and
// bad values refused with the key's name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image_files.h"
#include "memory_image.h"
#include "run_tool.h"
#include "temp_folder.h"

// Debian's stb_image_resize.h, private to this file.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_RESIZE_STATIC
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>
#pragma GCC diagnostic pop

namespace {

const std::string kPackage = std::string(VANTOREL_SOURCE_DIR) + "/resources/package";
constexpr int kShotX = 542, kShotY = 267;  // where the screenshot lands on the screen

MemoryImage Noise(int width, int height) {
  MemoryImage image;
  image.Create(width, height);
  unsigned state = 12345;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      state = state * 1103515245u + 12345u;
      image.WritePixel(x, y, (state >> 8) & 0xFFFFFF);
    }
  return image;
}

// Region of 234*100/S x 232*100/S at the clamped corner, shrunk to 234 x 232 in sRGB.
std::vector<Pixel> Expected(const MemoryImage& source, int x, int y, int scale) {
  const int w = 23400 / scale, h = 23200 / scale;
  auto clamp = [](int at, int room) { return at < 0 || room <= 0 ? 0 : at >= room ? room - 1 : at; };
  x = clamp(x, source.width - w);
  y = clamp(y, source.height - h);
  std::vector<unsigned char> in, out(234 * 232 * 3);
  for (int row = 0; row < h; ++row)
    for (int column = 0; column < w; ++column) {
      const Pixel p = source.ReadPixel(x + column, y + row);
      in.insert(in.end(), {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                           static_cast<unsigned char>(p)});
    }
  std::vector<Pixel> pixels;
  if (scale == 100)
    out = in;
  else
    stbir_resize_uint8_srgb(in.data(), w, h, 0, out.data(), 234, 232, 0, 3, STBIR_ALPHA_CHANNEL_NONE, 0);
  for (std::size_t i = 0; i < out.size(); i += 3) pixels.push_back(out[i] << 16 | out[i + 1] << 8 | out[i + 2]);
  return pixels;
}

TEST(ScreenshotScale, RendersTheScaledRegionAndRefusesBadValues) {
  InitImageFiles();
  TempFolder folder;
  const MemoryImage large = Noise(800, 600), small = Noise(300, 280);
  ASSERT_TRUE(SaveImageFile(folder.Path("large.png").c_str(), large));
  ASSERT_TRUE(SaveImageFile(folder.Path("small.png").c_str(), small));
  struct Case {
    const char* file;
    const MemoryImage* source;
    int scale, x, y;
  };
  for (const Case& c : {Case{"large.png", &large, 39, 5, 3}, Case{"large.png", &large, 50, 400, 900},
                        Case{"large.png", &large, 77, -20, 100}, Case{"large.png", &large, 100, 111, 222},
                        Case{"small.png", &small, 83, 9, 9}, Case{"small.png", &small, 97, 40, 40}}) {
    const std::string keys = "ScreenshotScale=" + std::to_string(c.scale) + "\nScreenshotCrop=" + std::to_string(c.x) +
                             "," + std::to_string(c.y) + "\n";
    const std::string scene =
        folder.Write("s.ini", std::string("[LoadScreen]\nUpperLayer=no\nScreenshot=") + c.file + "\n" + keys);
    const ToolRun run = RunTool({"render", scene, "-o", folder.Path("out.png"), "--package", kPackage});
    ASSERT_EQ(run.exitCode, 0) << keys << run.err;
    MemoryImage screen;
    ASSERT_TRUE(LoadImageFile(folder.Path("out.png").c_str(), screen));
    const std::vector<Pixel> expected = Expected(*c.source, c.x, c.y, c.scale);
    for (int y = 0; y < 232; ++y)
      for (int x = 0; x < 234; ++x)
        ASSERT_EQ(screen.ReadPixel(kShotX + x, kShotY + y), expected[y * 234 + x]) << c.file << keys << x << "," << y;
  }

  struct Bad {
    const char* file;
    const char* keys;
  };
  for (const Bad& b : {Bad{"small.png", "ScreenshotScale=82\n"}, Bad{"large.png", "ScreenshotScale=9\n"},
                       Bad{"large.png", "ScreenshotScale=101\n"}, Bad{"large.png", "ScreenshotScale=50%\n"},
                       Bad{"large.png", "ScreenshotScale=38\n"}}) {
    const std::string scene = folder.Write("s.ini", std::string("[LoadScreen]\nScreenshot=") + b.file + "\n" + b.keys);
    const ToolRun run = RunTool({"render", scene, "-o", folder.Path("bad.png"), "--package", kPackage});
    EXPECT_EQ(run.exitCode, 1) << b.keys;
    EXPECT_NE(run.err.find("ScreenshotScale"), std::string::npos) << b.keys << run.err;
  }
  const ToolRun withoutShot = RunTool({"render", folder.Write("s.ini", "[LoadScreen]\nScreenshotScale=50\n"), "-o",
                                       folder.Path("bad.png"), "--package", kPackage});
  EXPECT_NE(withoutShot.err.find("ScreenshotScale without Screenshot"), std::string::npos) << withoutShot.err;
}

}  // namespace
