// MIX ids, the archive layout, and packing on disk (new, added to, refused).
#include <gtest/gtest.h>

#include "export_test_support.h"
#include "mix_archive.h"
#include "mix_name_id.h"
#include "mix_packing.h"

namespace {

// Expected ids: zlib's crc32 of the padded upper-case name, padded by hand from the rule.
TEST(MixNameId, PadsUpperCaseNamesAsTheGamesDo) {
  EXPECT_EQ(MixNameId("ABCD"), 0xDB1720A5u);          // a multiple of 4: no padding
  EXPECT_EQ(MixNameId("a.shp"), 0xE6115F3Fu);         // "A.SHP" \x01 "PP"
  EXPECT_EQ(MixNameId("LS800A.SHP"), 0xA77C8C8Au);    // \x02 "H" (the character at 8)
  EXPECT_EQ(MixNameId("abc.shp"), 0x203FE037u);       // \x03 alone
  EXPECT_EQ(MixNameId("123456789"), 0x279637B1u);     // \x01 "99"
  EXPECT_EQ(MixNameId("ls800all.shp"), 0x05010BD7u);  // 12 characters
}

TEST(MixNameId, NamesAndTheEightDotThreeForm) {
  EXPECT_EQ(MixNameProblem("LS800A.SHP"), "");
  EXPECT_NE(MixNameProblem(""), "");
  EXPECT_NE(MixNameProblem("caf\xC3\xA9.shp"), "");
  EXPECT_NE(MixNameProblem("a/b.shp"), "");
  EXPECT_TRUE(FitsEightDotThree("LS800ALL.SHP"));
  EXPECT_TRUE(FitsEightDotThree("README"));
  EXPECT_FALSE(FitsEightDotThree("LS800ALLX.SHP"));
  EXPECT_FALSE(FitsEightDotThree("A.SHPX"));
  EXPECT_FALSE(FitsEightDotThree("A.B.C"));
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(MixArchive, WritesTheLayoutSortedBySignedIdAndReadsItBack) {
  // 0x80000000 is the smallest signed id: it comes first although it is the largest unsigned.
  Bytes archive;
  std::string error;
  ASSERT_TRUE(BuildMix({{0x00000005u, Text("five")}, {0x80000000u, Text("min")}, {0xFFFFFFFFu, Text("-1")}},
                       archive, error));
  const Bytes expected = {0, 0, 0, 0, 3, 0, 9, 0, 0, 0,                         // flags, count, body
                          0, 0, 0, 0x80, 0, 0, 0, 0, 3, 0, 0, 0,                // 0x80000000 at 0, 3 bytes
                          0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 2, 0, 0, 0,       // -1 at 3, 2 bytes
                          5, 0, 0, 0, 5, 0, 0, 0, 4, 0, 0, 0,                   // 5 at 5, 4 bytes
                          'm', 'i', 'n', '-', '1', 'f', 'i', 'v', 'e'};
  EXPECT_EQ(archive, expected);

  MixIndex index;
  ASSERT_EQ(ReadMixIndex(archive.data(), archive.size(), index, error), MixReadStatus::kOk) << error;
  ASSERT_EQ(index.entries.size(), 3u);
  EXPECT_EQ(index.bodyStart, 46u);
  EXPECT_EQ(index.entries[2].id, 5u);
  EXPECT_EQ(index.entries[2].offset, 5u);
}

TEST(MixArchive, RefusesEncryptedAndDamagedArchives) {
  Bytes good;
  std::string error;
  ASSERT_TRUE(BuildMix({{1, Text("abc")}, {2, Text("de")}}, good, error));
  MixIndex index;
  Bytes encrypted = good;
  encrypted[2] = 0x02;  // flags 0x00020000
  EXPECT_EQ(ReadMixIndex(encrypted.data(), encrypted.size(), index, error), MixReadStatus::kEncrypted);
  EXPECT_NE(error.find("encrypted"), std::string::npos);

  Bytes truncated(good.begin(), good.end() - 1);
  Bytes outside = good;
  outside[10 + 12 + 8] = 9;  // the second entry's size passes the body's end
  Bytes twice = good;
  twice[10 + 12] = 1;  // the second entry takes the first one's id
  Bytes unknownFlags = good;
  unknownFlags[3] = 0x40;
  for (const Bytes* damaged : {&truncated, &outside, &twice, &unknownFlags}) {
    EXPECT_EQ(ReadMixIndex(damaged->data(), damaged->size(), index, error), MixReadStatus::kDamaged);
    EXPECT_NE(error.find("damaged"), std::string::npos);
  }
  EXPECT_EQ(ReadMixIndex(good.data(), 3, index, error), MixReadStatus::kDamaged);

  // The checksum flag and the older layout without flags are read.
  Bytes checksummed = good;
  checksummed[2] = 0x01;
  checksummed.resize(good.size() + 20);
  EXPECT_EQ(ReadMixIndex(checksummed.data(), checksummed.size(), index, error), MixReadStatus::kOk);
  Bytes older(good.begin() + 4, good.end());
  ASSERT_EQ(ReadMixIndex(older.data(), older.size(), index, error), MixReadStatus::kOk) << error;
  EXPECT_TRUE(index.olderLayout);
  EXPECT_EQ(index.bodyStart, 6u + 24u);
}

MixInput Input(const std::string& name, const std::string& bytes) { return {name, name, Text(bytes)}; }

// The entries of a MIX file by id, their bodies as text.
std::map<std::uint32_t, std::string> Entries(const std::string& path) {
  Bytes bytes;
  MixIndex index;
  std::string error;
  EXPECT_TRUE(ReadMixFile(path, bytes, index, error)) << error;
  std::map<std::uint32_t, std::string> entries;
  for (const MixEntry& e : index.entries)
    entries[e.id] = std::string(bytes.begin() + index.bodyStart + e.offset,
                                bytes.begin() + index.bodyStart + e.offset + e.size);
  return entries;
}

TEST(MixPacking, AddsAndReplacesEntriesAndRefusesWithoutTouchingTheFile) {
  ScratchFolder folder;
  const std::string mix = folder.Path("expandmd01.mix");
  std::string error;
  ASSERT_TRUE(PackMix(mix, "", {Input("a.shp", "old a"), Input("b.pal", "b")}, error)) << error;

  MixPackSummary summary;
  ASSERT_TRUE(PackMix(mix, mix, {Input("A.SHP", "new a"), Input("c.shp", "c")}, error, &summary)) << error;
  EXPECT_EQ(summary.added, 1u);
  EXPECT_EQ(summary.replaced, 1u);
  EXPECT_EQ(summary.kept, 1u);
  const std::map<std::uint32_t, std::string> expected = {
      {MixNameId("a.shp"), "new a"}, {MixNameId("b.pal"), "b"}, {MixNameId("c.shp"), "c"}};
  EXPECT_EQ(Entries(mix), expected);
  EXPECT_EQ(folder.Names(), std::set<std::string>{"expandmd01.mix"});

  // Two inputs of one id, and an encrypted or damaged archive: refused, nothing changes.
  const Bytes before = ReadBytes(mix);
  EXPECT_FALSE(PackMix(mix, mix, {Input("x.shp", "1"), {"X.SHP", "other/X.SHP", Text("2")}}, error));
  EXPECT_NE(error.find("x.shp and other/X.SHP have the same MIX id"), std::string::npos) << error;
  Bytes encrypted = before;
  encrypted[2] = 0x02;
  const std::string locked = folder.Write("locked.mix", encrypted);
  EXPECT_FALSE(PackMix(locked, locked, {Input("d.shp", "d")}, error));
  EXPECT_NE(error.find("encrypted"), std::string::npos);
  EXPECT_EQ(ReadBytes(locked), encrypted);
  const std::string broken = folder.Write("broken.mix", Bytes(before.begin(), before.begin() + 20));
  EXPECT_FALSE(PackMix(broken, broken, {Input("d.shp", "d")}, error));
  EXPECT_NE(error.find("damaged"), std::string::npos);
  EXPECT_EQ(ReadBytes(mix), before);
}

}  // namespace
