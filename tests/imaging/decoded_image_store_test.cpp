#include "decoded_image_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "byte_hash.h"
#include "fifo_guard.h"
#include "image_files.h"
#include "memory_image.h"
#include "temp_folder.h"
#include "test_images.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// A key whose digest is `tag` in every byte.
DecodedImageKey Key(std::uint64_t size, std::uint8_t tag) {
  DecodedImageKey key;
  key.size = size;
  key.digest.fill(tag);
  return key;
}

std::string Hex(const ContentDigest& digest) {
  std::string text;
  for (const std::uint8_t byte : digest) {
    text += "0123456789abcdef"[byte >> 4];
    text += "0123456789abcdef"[byte & 15];
  }
  return text;
}

// Shortens the file to nothing the way another process would, behind the back of this one's
// mapping. Windows refuses that while the file is mapped; under Wine a Linux program is not
// asked, so the test runs one there. False where it cannot be done.
bool ShortenFromOutside(const std::string& path) {
#ifdef _WIN32
  using UnixName = char*(CDECL*)(const wchar_t*);
  // Through void*: a FARPROC does not convert to another function type directly.
  const auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) return false;
  const std::wstring wide = fs::path(path).wstring();
  char* name = unixName(wide.c_str());
  if (!name) return false;
  std::string command = std::string("/usr/bin/truncate -s 0 \"") + name + "\"";
  HeapFree(GetProcessHeap(), 0, name);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  // Wine's exit code of a Linux program says nothing; the file's size does.
  WaitForSingleObject(process.hProcess, 30000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return fs::file_size(path) == 0;
#else
  return truncate(path.c_str(), 0) == 0;
#endif
}

MemoryImage Pattern(int w, int h, Pixel base = 0x00100000) {
  MemoryImage image;
  image.Create(w, h);
  FillPattern(image, base);
  return image;
}

// Pixels no PNG filter predicts, so the file is about as large as the picture.
MemoryImage Noise(int w, int h, std::uint32_t seed) {
  MemoryImage image;
  image.Create(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      image.GetRow(y)[x] = seed >> 8;
    }
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
    const DecodedImageKey key = Key(1234, 0xAB);
    ASSERT_TRUE(Write(store, key, picture));
    EXPECT_EQ(PixelsOf(read(store, key, 50, 40, 40)), PixelsOf(picture));
    EXPECT_EQ(PixelsOf(read(store, key, 50, 40, 7)), PixelsOf(TopRows(picture, 7)));

    for (const DecodedImageKey other : {Key(1235, 0xAB), Key(1234, 0xAC)})
      EXPECT_FALSE(read(store, other, 50, 40, 40).valid);
    DecodedImageKey oneByteOff = key;
    oneByteOff.digest[31] ^= 1;
    ASSERT_TRUE(Write(store, oneByteOff, Pattern(50, 40, 0x00700000)));  // an entry of its own
    EXPECT_EQ(PixelsOf(read(store, key, 50, 40, 40)), PixelsOf(picture));
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
  const MemoryImage picture = Pattern(100, 100);  // an entry is 56 + 100 * 408 bytes
  const std::uint64_t entryBytes = 56 + 100 * 408;
  const DecodedImageStore store(folder.Folder(), entryBytes * 5 / 2);
  const DecodedImageKey a = Key(1, 1), b = Key(2, 2), c = Key(3, 3);
  ASSERT_TRUE(Write(store, a, picture));
  ASSERT_TRUE(Write(store, b, picture));
  const auto now = fs::file_time_type::clock::now();
  fs::last_write_time(store.EntryPath(a), now - std::chrono::hours(3));
  fs::last_write_time(store.EntryPath(b), now - std::chrono::hours(2));
  // An entry the version before wrote, used longest ago: counted, and the first to go.
  const std::string older = folder.Write("00000000000000a7.pixels", std::string(entryBytes, 'o'));
  fs::last_write_time(older, now - std::chrono::hours(4));
  // A temporary file of a process that died while writing, and another still being written.
  const std::string deadWriter = folder.Write(std::string(64, '9') + ".pixels.~0123456789ab.tmp", "x");
  fs::last_write_time(deadWriter, now - std::chrono::hours(2));
  const std::string otherName = std::string(64, '8') + ".pixels";
  folder.Write(otherName + ".~0123456789ab.tmp", "x");
  // Not the store's, however named and however old: never counted nor removed.
  for (const char* name : {"notes.txt", "backup.pixels.tar", "mine.pixels", "00000000000000AB.pixels",
                           "0000000000000000000000000000000000000000000000000000000000000000.pixels.bak"}) {
    folder.Write(name, std::string(entryBytes * 3, 'n'));
    fs::last_write_time(folder.Path(name), now - std::chrono::hours(9));
  }

  ASSERT_TRUE(Read(store, a, 100, 100, 1).valid);  // a is now the most recently used
  ASSERT_TRUE(Write(store, c, picture));
  EXPECT_TRUE(fs::exists(folder.Path("backup.pixels.tar")));
  EXPECT_FALSE(fs::exists(older));
  // Room for two: a and c stay, the others are removed.
  for (const char* name : {"notes.txt", "mine.pixels", "00000000000000AB.pixels"})
    EXPECT_TRUE(fs::exists(folder.Path(name))) << name;
  EXPECT_EQ(Entries(folder), (std::set<std::string>{fs::path(store.EntryPath(a)).filename().string(),
                                                    fs::path(store.EntryPath(c)).filename().string(), "mine.pixels",
                                                    "00000000000000AB.pixels"}));
  EXPECT_FALSE(fs::exists(deadWriter));
  EXPECT_TRUE(fs::exists(folder.Path(otherName + ".~0123456789ab.tmp")));

  EXPECT_FALSE(Write(store, Key(4, 4), Pattern(300, 300))) << "larger than the whole limit";
  EXPECT_EQ(Entries(folder).size(), 4u);
}

// The published BLAKE3 vectors (input bytes 0, 1, ... 250, 0, 1, ...), past one 1 KiB chunk
// and across many: a build whose assembly for this processor were wrong would differ.
TEST(DecodedImageStore, TheKeyIsTheBlake3OfTheFilesBytes) {
  std::vector<std::uint8_t> bytes(100000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i % 251);
  EXPECT_EQ(Hex(DigestOf(bytes.data(), 0)), "af1349b9f5f9a1a6a0404dea36dcc9499bcb25c9adc112b7cc9a93cae41f3262");
  EXPECT_EQ(Hex(DigestOf(bytes.data(), 1025)), "d00278ae47eb27b34faecf67b4fe263f82d5412916c1ffd97c8cb7fb814b8444");
  EXPECT_EQ(Hex(DigestOf(bytes.data(), bytes.size())),
            "d93c23eedaf165a7e0be908ba86f1a7a520d568d2d13cde787c8580c5c72cc54");
  const std::uint8_t abc[] = {'a', 'b', 'c'};
  const DecodedImageKey key = DecodedImageStore::KeyFor(abc, sizeof abc);
  EXPECT_EQ(key.size, 3u);
  EXPECT_EQ(Hex(key.digest), "6437b3ac38465133ffb63b75273a8db548c558465d79db03fd359c6cd5bd9d85");
  EXPECT_EQ(fs::path(DecodedImageStore("cache").EntryPath(key)).filename().string(), Hex(key.digest) + ".pixels");
}

#ifndef _WIN32
TEST(DecodedImageStore, AFifoAtAnEntrysNameIsAMissWithoutWaitingAndIsReplaced) {
  TempFolder folder;
  const DecodedImageStore store(folder.Folder());
  const MemoryImage picture = Pattern(50, 40);
  const DecodedImageKey key = Key(1234, 0x5A);
  ASSERT_TRUE(MakeFifo(store.EntryPath(key)));
  EXPECT_TRUE(ReturnsWithoutAWriter(store.EntryPath(key), [&] { EXPECT_FALSE(Read(store, key, 50, 40, 40).valid); }));
  EXPECT_TRUE(ReturnsWithoutAWriter(store.EntryPath(key), [&] { EXPECT_FALSE(Mapped(store, key, 50, 40, 40).valid); }));
  ASSERT_TRUE(Write(store, key, picture));
  EXPECT_EQ(PixelsOf(Read(store, key, 50, 40, 40)), PixelsOf(picture));
}
#endif

TEST(DecodedImageStore, AnEntryShortenedWhileMappedReadsAsBlackRowsInsteadOfStoppingTheProcess) {
  TempFolder folder;
  const DecodedImageStore store(folder.Folder());
  const MemoryImage picture = Pattern(400, 300, 0x00400000);  // rows over many pages
  const DecodedImageKey key = Key(77, 0x77);
  ASSERT_TRUE(Write(store, key, picture));
  MemoryImage mapped;
  ASSERT_TRUE(store.Map(key, 400, 300, 300, mapped));
  ASSERT_EQ(mapped.ReadPixel(399, 299), picture.ReadPixel(399, 299));
  if (!ShortenFromOutside(store.EntryPath(key))) GTEST_SKIP() << "the system keeps a mapped file whole";
  // Every row is either as it was (its page still held) or black, never a fault.
  int black = 0;
  for (int y = 0; y < 300; ++y) {
    const bool same = std::equal(mapped.GetRow(y), mapped.GetRow(y) + 400, picture.GetRow(y));
    const bool zero = std::all_of(mapped.GetRow(y), mapped.GetRow(y) + 400, [](Pixel p) { return p == 0; });
    EXPECT_TRUE(same || zero) << "row " << y;
    black += zero;
  }
  EXPECT_GT(black, 0);
  mapped.Free();
  EXPECT_FALSE(Read(store, key, 400, 300, 300).valid);
}

// Through the image file layer: the store only ever saves time.
TEST(DecodedImageStore, ImageFilesReadThroughItStayExactWhenFilesChangeOrEntriesAreDamaged) {
  TempFolder folder;
  const std::string png = folder.Path("map.png");
  const MemoryImage first = Noise(640, 410, 1), second = Noise(640, 410, 2);
  ASSERT_GE(640LL * 410, DecodedImageStore::kMinPixels);
  ASSERT_TRUE(SaveImageFile(png.c_str(), first));
  ASSERT_GE(fs::file_size(png), 64u << 10) << "large enough to be looked up before it is read whole";
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

  for (const auto& entry : fs::directory_iterator(folder.Path("cache")))
    Overwrite(entry.path().string(), 40, "garbage");
  EXPECT_EQ(PixelsOf(load(410)), PixelsOf(second));
  // An entry that claims a picture beyond every image limit is no entry.
  for (const auto& entry : fs::directory_iterator(folder.Path("cache")))
    Overwrite(entry.path().string(), 48, std::string(8, '\xff'));
  EXPECT_EQ(PixelsOf(load(410)), PixelsOf(second));

  // A store that cannot be made: the files still load.
  const std::string blocked = folder.Write("blocked", "a file where the folder should be");
  UseDecodedImageStore(blocked + "/cache");
  EXPECT_EQ(PixelsOf(load(410)), PixelsOf(second));
}
