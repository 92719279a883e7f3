#include "decoded_image_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "image_files.h"
#include "memory_image.h"
#include "temp_folder.h"
#include "test_images.h"

namespace fs = std::filesystem;

namespace {

MemoryImage Pattern(int w, int h, Pixel base = 0x00100000) {
  MemoryImage image;
  image.Create(w, h);
  FillPattern(image, base);
  return image;
}

bool Write(const DecodedImageStore& store, const DecodedImageKey& key, const MemoryImage& picture) {
  return store.Write(key, picture.width, picture.height, [&picture](int y) { return picture.GetRow(y); });
}

// The first `rows` rows of the entry, or an empty image when the store has no sound entry.
MemoryImage Read(const DecodedImageStore& store, const DecodedImageKey& key, int w, int h, int rows) {
  MemoryImage image;
  image.Create(w, rows);
  if (!store.Read(key, w, h, rows, [&image](int y) { return image.GetRow(y); })) image.Free();
  return image;
}

// The same rows taken where they lie in the entry's mapped file (what the Windows build
// reads through), copied out so the mapping is gone before the next check changes the file.
MemoryImage Mapped(const DecodedImageStore& store, const DecodedImageKey& key, int w, int h, int rows) {
  MemoryImage image;
  store.Map(key, w, h, rows, image);
  return MemoryImage(image);
}

MemoryImage TopRows(const MemoryImage& picture, int rows) {
  MemoryImage top;
  top.Create(picture.width, rows);
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < picture.width; ++x) top.WritePixel(x, y, picture.ReadPixel(x, y));
  return top;
}

void Overwrite(const std::string& path, std::streamoff at, const std::string& bytes) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(at);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::set<std::string> Entries(const TempFolder& folder) {
  std::set<std::string> names;
  for (const std::string& name : folder.Names())
    if (name.size() > 7 && name.substr(name.size() - 7) == ".pixels") names.insert(name);
  return names;
}

// Turns the process's store on for one test.
struct ProcessStoreIn {
  explicit ProcessStoreIn(const std::string& folder) { UseDecodedImageStore(folder); }
  ~ProcessStoreIn() { UseDecodedImageStore(""); }
};

}  // namespace

TEST(DecodedImageStore, GivesBackExactlyTheRowsKeptAndNothingForAnotherKeyOrADamagedEntry) {
  for (const auto read : {&Read, &Mapped}) {
    TempFolder folder;
    const DecodedImageStore store(folder.Path("cache"));
    const MemoryImage picture = Pattern(50, 40);
    const DecodedImageKey key{1234, 5678, 0xABCDEF};
    ASSERT_TRUE(Write(store, key, picture));
    EXPECT_EQ(PixelsOf(read(store, key, 50, 40, 40)), PixelsOf(picture));
    EXPECT_EQ(PixelsOf(read(store, key, 50, 40, 7)), PixelsOf(TopRows(picture, 7)));

    for (const DecodedImageKey other : {DecodedImageKey{1235, 5678, 0xABCDEF}, DecodedImageKey{1234, 5679, 0xABCDEF},
                                        DecodedImageKey{1234, 5678, 0xABCDEE}})
      EXPECT_FALSE(read(store, other, 50, 40, 40).valid);
    EXPECT_FALSE(read(store, key, 51, 40, 40).valid) << "a picture of another size";

    // One pixel of the last row changed: that row fails its hash, the rows above still read.
    const std::string entry = store.EntryPath(key);
    const std::streamoff lastRow = static_cast<std::streamoff>(fs::file_size(entry)) - 50 * 4;
    Overwrite(entry, lastRow, std::string("\x01", 1));
    EXPECT_FALSE(read(store, key, 50, 40, 40).valid);
    EXPECT_TRUE(read(store, key, 50, 40, 39).valid);
    fs::resize_file(entry, static_cast<std::uintmax_t>(lastRow) - 10);
    EXPECT_FALSE(read(store, key, 50, 40, 39).valid) << "a short entry";
    Overwrite(entry, 0, "VTRLPIX0");
    EXPECT_FALSE(read(store, key, 50, 40, 1).valid) << "an entry of another layout";
  }
}

TEST(DecodedImageStore, RemovesTheLeastRecentlyUsedEntriesToStayUnderItsLimit) {
  TempFolder folder;
  const MemoryImage picture = Pattern(100, 100);  // an entry is 40 + 100 * 408 bytes
  const std::uint64_t entryBytes = 40 + 100 * 408;
  const DecodedImageStore store(folder.Folder(), entryBytes * 5 / 2);
  const DecodedImageKey a{1, 1, 1}, b{2, 2, 2}, c{3, 3, 3};
  ASSERT_TRUE(Write(store, a, picture));
  ASSERT_TRUE(Write(store, b, picture));
  const auto now = fs::file_time_type::clock::now();
  fs::last_write_time(store.EntryPath(a), now - std::chrono::hours(3));
  fs::last_write_time(store.EntryPath(b), now - std::chrono::hours(2));
  // A temporary file of a process that died while writing, and another still being written.
  const std::string deadWriter = folder.Write("0000000000000009.pixels.~0123456789ab.tmp", "x");
  fs::last_write_time(deadWriter, now - std::chrono::hours(2));
  const std::string otherName = "0000000000000008.pixels";
  folder.Write(otherName + ".~0123456789ab.tmp", "x");
  folder.Write("notes.txt", std::string(entryBytes * 3, 'n'));  // not the store's: never counted nor removed

  ASSERT_TRUE(Read(store, a, 100, 100, 1).valid);  // a is now the most recently used
  ASSERT_TRUE(Write(store, c, picture));
  EXPECT_EQ(Entries(folder), (std::set<std::string>{fs::path(store.EntryPath(a)).filename().string(),
                                                    fs::path(store.EntryPath(c)).filename().string()}));
  EXPECT_FALSE(fs::exists(deadWriter));
  EXPECT_TRUE(fs::exists(folder.Path(otherName + ".~0123456789ab.tmp")));
  EXPECT_TRUE(fs::exists(folder.Path("notes.txt")));

  EXPECT_FALSE(Write(store, DecodedImageKey{4, 4, 4}, Pattern(200, 200))) << "larger than the whole limit";
  EXPECT_EQ(Entries(folder).size(), 2u);
}

// Through the image file layer: the store only ever saves time.
TEST(DecodedImageStore, ImageFilesReadThroughItStayExactWhenFilesChangeOrEntriesAreDamaged) {
  TempFolder folder;
  const std::string png = folder.Path("map.png");
  const MemoryImage first = Pattern(640, 410), second = Pattern(640, 410, 0x00300000);
  ASSERT_GE(640LL * 410, DecodedImageStore::kMinPixels);
  ASSERT_TRUE(SaveImageFile(png.c_str(), first));
  const ProcessStoreIn store(folder.Path("cache"));

  const auto load = [&png](int rows) {
    MemoryImage image;
    std::string reason;
    EXPECT_TRUE(LoadImageFileRows(png.c_str(), image, rows, reason)) << reason;
    return image;
  };
  EXPECT_EQ(PixelsOf(load(100)), PixelsOf(TopRows(first, 100))) << "a miss decodes the whole picture once";
  ASSERT_EQ(fs::directory_iterator(folder.Path("cache")) != fs::directory_iterator(), true);
  EXPECT_EQ(PixelsOf(load(410)), PixelsOf(first));
  EXPECT_EQ(PixelsOf(load(3)), PixelsOf(TopRows(first, 3)));

  // The file edited in place with its old time put back: its bytes tell it apart.
  const auto time = fs::last_write_time(png);
  ASSERT_TRUE(SaveImageFile(png.c_str(), second));
  fs::last_write_time(png, time);
  EXPECT_EQ(PixelsOf(load(410)), PixelsOf(second));

  for (const auto& entry : fs::directory_iterator(folder.Path("cache"))) Overwrite(entry.path().string(), 40, "garbage");
  EXPECT_EQ(PixelsOf(load(410)), PixelsOf(second));

  // A store that cannot be made: the files still load.
  const std::string blocked = folder.Write("blocked", "a file where the folder should be");
  UseDecodedImageStore(blocked + "/cache");
  EXPECT_EQ(PixelsOf(load(410)), PixelsOf(second));
}
