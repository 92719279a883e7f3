#include "gif_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "document_state.h"
#include "export_test_support.h"
#include "image_files.h"
#include "memory_image.h"
#include "synthetic_screen.h"

namespace {

// Saves through the image layer, as the editor's Save as image does, and reads it back.
MemoryImage RoundTrip(const ScratchFolder& folder, const MemoryImage& picture) {
  EnableGifWriting();
  std::string reason;
  EXPECT_NE(SaveImageFile(folder.Path("screen.gif").c_str(), picture, reason), 0) << reason;
  MemoryImage back;
  EXPECT_TRUE(LoadImageFile(folder.Path("screen.gif").c_str(), back, reason)) << reason;
  return back;
}

// A picture of at most 256 colours comes back exactly; a full screen, with more colours
// than a GIF holds, comes back close.
TEST(GifWriter, FewColoursExactManyColoursClose) {
  ScratchFolder folder;
  MemoryImage few;
  ASSERT_TRUE(few.Allocate(7, 3));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) few.GetRow(y)[x] = MakePixel(x * 40, y * 100, (x * y * 37) & 0xFF);
  const MemoryImage fewBack = RoundTrip(folder, few);
  ASSERT_EQ(fewBack.width, 7);
  ASSERT_EQ(fewBack.height, 3);
  EXPECT_TRUE(SameImage(fewBack, few));

  MemoryImage screen;
  ASSERT_TRUE(synthetic::MakeScreen(screen));
  const MemoryImage back = RoundTrip(folder, screen);
  ASSERT_EQ(back.width, screen.width);
  ASSERT_EQ(back.height, screen.height);
  long long error = 0;
  for (int y = 0; y < screen.height; ++y)
    for (int x = 0; x < screen.width; ++x) {
      const Pixel a = screen.GetRow(y)[x], b = back.GetRow(y)[x];
      error += std::abs(static_cast<int>(RedOf(a)) - static_cast<int>(RedOf(b))) +
               std::abs(static_cast<int>(GreenOf(a)) - static_cast<int>(GreenOf(b))) +
               std::abs(static_cast<int>(BlueOf(a)) - static_cast<int>(BlueOf(b)));
    }
  const double perChannel = static_cast<double>(error) / (3.0 * screen.width * screen.height);
  EXPECT_LT(perChannel, 4.0) << "mean error per channel " << perChannel;
}

}  // namespace
