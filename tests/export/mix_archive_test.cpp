// MIX ids, the archive layout and its name list, and packing on disk (new, added to,
// refused), grouped by reader and writer.
#include <gtest/gtest.h>

#include <filesystem>

#include "export_test_support.h"
#include "mix_addition.h"
#include "mix_archive.h"
#include "mix_database.h"
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
  // The name list's id, as other MIX tools look it up.
  EXPECT_EQ(MixNameId(kMixDatabaseName), 0x366E051Fu);
  EXPECT_EQ(kMixDatabaseId, 0x366E051Fu);
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
  ASSERT_TRUE(
      BuildMix({{0x00000005u, Text("five")}, {0x80000000u, Text("min")}, {0xFFFFFFFFu, Text("-1")}}, archive, error));
  const Bytes expected = {0,    0,    0,    0,    3,   0,   9,   0,   0,  0,        // flags, count, body
                          0,    0,    0,    0x80, 0,   0,   0,   0,   3,  0, 0, 0,  // 0x80000000 at 0, 3 bytes
                          0xFF, 0xFF, 0xFF, 0xFF, 3,   0,   0,   0,   2,  0, 0, 0,  // -1 at 3, 2 bytes
                          5,    0,    0,    0,    5,   0,   0,   0,   4,  0, 0, 0,  // 5 at 5, 4 bytes
                          'm',  'i',  'n',  '-',  '1', 'f', 'i', 'v', 'e'};
  EXPECT_EQ(archive, expected);

  MixIndex index;
  ASSERT_EQ(ReadMixIndex(archive.data(), archive.size(), index, error), MixReadStatus::kOk) << error;
  ASSERT_EQ(index.entries.size(), 3u);
  EXPECT_EQ(index.bodyStart, 46u);
  EXPECT_EQ(index.entries[2].id, 5u);
  EXPECT_EQ(index.entries[2].offset, 5u);

  // The games read the count as signed: 32767 files at most.
  std::vector<MixMember> many(kMixMaxFiles + 1);
  for (std::size_t i = 0; i < many.size(); ++i) many[i] = {static_cast<std::uint32_t>(i), Text("x")};
  EXPECT_FALSE(BuildMix(many, archive, error));
  EXPECT_NE(error.find("at most 32767 files"), std::string::npos) << error;
  many.pop_back();
  EXPECT_TRUE(BuildMix(many, archive, error)) << error;
}

// Two entries (ids 1 and 2; "abc" at 0 and "de" at 3) with one byte of the index changed.
Bytes Edited(std::size_t at, std::uint8_t value) {
  Bytes archive;
  std::string error;
  BuildMix({{1, Text("abc")}, {2, Text("de")}}, archive, error);
  archive[at] = value;
  return archive;
}

TEST(MixArchive, ReadsOnlyArchivesThatHoldTogetherExactly) {
  Bytes good = Edited(0, 0);
  Bytes withTrailer = good;
  withTrailer[2] = 0x01;  // the checksum flag, its 20 bytes after the body
  withTrailer.resize(good.size() + 20);
  Bytes trailing = good;
  trailing.push_back(0);
  Bytes truncated(good.begin(), good.end() - 1);
  Bytes overlapping = Edited(10 + 12 + 4, 2);  // the second body starts inside the first
  Bytes repeated = Edited(10 + 12 + 8, 3);     // both entries name bytes 0..2 ...
  repeated[10 + 12 + 4] = 0;
  repeated[6] = 3;  // ... of a 3-byte body
  repeated.resize(repeated.size() - 2);
  struct Case {
    const char* what;
    Bytes bytes;
    MixReadStatus status;
    const char* says;
  };
  const Case cases[] = {
      {"two entries", good, MixReadStatus::kOk, ""},
      {"checksum trailer", withTrailer, MixReadStatus::kOk, ""},
      {"older layout", Bytes(good.begin() + 4, good.end()), MixReadStatus::kOk, ""},
      {"encrypted", Edited(2, 0x02), MixReadStatus::kEncrypted, "encrypted"},
      {"unknown flags", Edited(3, 0x40), MixReadStatus::kDamaged, "unknown flags"},
      {"header cut", Bytes(good.begin(), good.begin() + 3), MixReadStatus::kDamaged, "too short"},
      {"body cut", truncated, MixReadStatus::kDamaged, "runs past the end"},
      {"entry outside", Edited(10 + 12 + 8, 9), MixReadStatus::kDamaged, "lies outside the body"},
      {"id twice", Edited(10 + 12, 1), MixReadStatus::kDamaged, "share the id"},
      {"overlap", overlapping, MixReadStatus::kDamaged, "overlap"},
      {"body range repeated", repeated, MixReadStatus::kDamaged, "overlap"},
      {"trailing byte", trailing, MixReadStatus::kDamaged, "1 bytes follow"},
      {"checksum missing", Edited(2, 0x01), MixReadStatus::kDamaged, "checksum bytes are missing"},
      {"4096 zero bytes", Bytes(4096, 0), MixReadStatus::kDamaged, "4086 bytes follow"},
  };
  for (const Case& c : cases) {
    MixIndex index;
    std::string error;
    EXPECT_EQ(ReadMixIndex(c.bytes.data(), c.bytes.size(), index, error), c.status) << c.what << ": " << error;
    EXPECT_NE(error.find(c.says), std::string::npos) << c.what << ": " << error;
  }
}

TEST(MixDatabase, IsTheListOtherToolsReadByteForByte) {
  const Bytes entry = BuildMixDatabase({"LS800A.SHP", kMixDatabaseName});
  Bytes expected = Text("XCC by Olaf van der Spek");
  expected.insert(expected.end(), {0x1A, 0x04, 0x17, 0x27, 0x10, 0x19, 0x80, 0x00});
  const std::uint8_t size = 32 + 5 * 4 + 11 + 23;
  expected.insert(expected.end(), {size, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 2, 0, 0, 0});
  for (const char* name : {"ls800a.shp", "local mix database.dat"}) {
    const Bytes text = Text(name);
    expected.insert(expected.end(), text.begin(), text.end());
    expected.push_back(0);
  }
  EXPECT_EQ(entry, expected);

  std::vector<std::string> names;
  std::string error;
  ASSERT_TRUE(ReadMixDatabase(entry.data(), entry.size(), names, error)) << error;
  EXPECT_EQ(names, (std::vector<std::string>{"ls800a.shp", "local mix database.dat"}));
  // Another header, and a count that runs past the entry, are not name lists.
  Bytes other = entry;
  other[0] = 'Y';
  Bytes overcounted = entry;
  overcounted[48] = 3;
  for (const Bytes* bad : {&other, &overcounted}) {
    EXPECT_FALSE(ReadMixDatabase(bad->data(), bad->size(), names, error));
    EXPECT_NE(error.find("local mix database.dat"), std::string::npos) << error;
  }
}

MixInput Input(const std::string& name, const std::string& bytes) { return {name, name, Text(bytes)}; }

// The entries of a MIX file by id, their bodies as text, and the names its list gives.
struct Archive {
  std::map<std::uint32_t, std::string> entries;
  std::set<std::string> names;
};
Archive ReadArchive(const std::string& path) {
  Bytes bytes;
  MixIndex index;
  std::string error;
  EXPECT_TRUE(ReadMixFile(path, bytes, index, error)) << error;
  Archive archive;
  for (const MixEntry& e : index.entries)
    archive.entries[e.id] =
        std::string(bytes.begin() + index.bodyStart + e.offset, bytes.begin() + index.bodyStart + e.offset + e.size);
  const std::string& list = archive.entries[kMixDatabaseId];
  std::vector<std::string> names;
  EXPECT_TRUE(ReadMixDatabase(reinterpret_cast<const std::uint8_t*>(list.data()), list.size(), names, error)) << error;
  archive.names.insert(names.begin(), names.end());
  return archive;
}

TEST(MixPacking, TheNameListKeepsOldNamesAndAddsTheNew) {
  ScratchFolder folder;
  const std::string mix = folder.Path("mymod.mix");
  std::string error;
  MixPackSummary summary;
  ASSERT_TRUE(PackMix(mix, "", {Input("a.shp", "old a"), Input("B.PAL", "b")}, error, &summary)) << error;
  EXPECT_FALSE(summary.existed);
  EXPECT_EQ(ReadArchive(mix).names, (std::set<std::string>{"a.shp", "b.pal", "local mix database.dat"}));

  // Added to (the target itself, no addTo named): one replaced, one new, one kept.
  ASSERT_TRUE(PackMix(mix, "", {Input("A.SHP", "new a"), Input("c.shp", "c")}, error, &summary)) << error;
  EXPECT_TRUE(summary.existed);
  EXPECT_EQ(summary.added, 1u);
  EXPECT_EQ(summary.replaced, 1u);
  EXPECT_EQ(summary.kept, 1u);
  Archive archive = ReadArchive(mix);
  EXPECT_EQ(archive.names, (std::set<std::string>{"a.shp", "b.pal", "c.shp", "local mix database.dat"}));
  EXPECT_EQ(archive.entries.size(), 4u);
  EXPECT_EQ(archive.entries[MixNameId("a.shp")], "new a");
  EXPECT_EQ(archive.entries[MixNameId("b.pal")], "b");
  EXPECT_EQ(folder.Names(), std::set<std::string>{"mymod.mix"});

  // An archive written elsewhere without a list gets one with the names known, its other
  // entries kept under their ids.
  Bytes bare;
  ASSERT_TRUE(BuildMix({{0x12345678u, Text("unnamed")}, {MixNameId("x.shp"), Text("x")}}, bare, error));
  const std::string other = folder.Write("other.mix", bare);
  ASSERT_TRUE(PackMix(other, other, {Input("y.pal", "y")}, error, &summary)) << error;
  archive = ReadArchive(other);
  EXPECT_EQ(archive.names, (std::set<std::string>{"y.pal", "local mix database.dat"}));
  EXPECT_EQ(archive.entries[0x12345678u], "unnamed");
  EXPECT_EQ(summary.kept, 2u);
}

TEST(MixPacking, RefusesWithoutTouchingAnyFile) {
  ScratchFolder folder;
  const std::string mix = folder.Path("mymod.mix");
  std::string error;
  ASSERT_TRUE(PackMix(mix, "", {Input("a.shp", "a")}, error)) << error;
  const Bytes before = ReadBytes(mix);
  Bytes badList;
  ASSERT_TRUE(BuildMix({{kMixDatabaseId, Text("not a list")}}, badList, error));
  const std::string keep = folder.Write("keep.png", Text("\x89PNG\r\n\x1a\n...."));
  struct Case {
    const char* what;
    std::string target;
    std::vector<MixInput> inputs;
    const char* says;
  };
  const Case cases[] = {
      {"one id twice",
       mix,
       {Input("x.shp", "1"), {"X.SHP", "other/X.SHP", Text("2")}},
       "x.shp and other/X.SHP have the same MIX id"},
      {"an empty file", mix, {Input("e.shp", "")}, "e.shp: the file is empty"},
      {"the list's own name", mix, {Input("LOCAL MIX DATABASE.DAT", "x")}, "the archive's own name list"},
      {"not a MIX", keep, {Input("d.shp", "d")}, "refused: the file exists and is not a MIX archive"},
      {"encrypted", folder.Write("locked.mix", Edited(2, 0x02)), {Input("d.shp", "d")}, "encrypted"},
      {"damaged",
       folder.Write("broken.mix", Bytes(before.begin(), before.begin() + 20)),
       {Input("d.shp", "d")},
       "damaged"},
      {"a list of another kind", folder.Write("list.mix", badList), {Input("d.shp", "d")}, "not in the known format"},
  };
  for (const Case& c : cases) {
    const Bytes was = ReadBytes(c.target);
    EXPECT_FALSE(PackMix(c.target, "", c.inputs, error)) << c.what;
    EXPECT_NE(error.find(c.says), std::string::npos) << c.what << ": " << error;
    EXPECT_EQ(ReadBytes(c.target), was) << c.what;
  }
  EXPECT_EQ(MixTargetProblem(keep).find(keep + ": refused"), 0u);
  EXPECT_EQ(MixTargetProblem(mix), "");
  EXPECT_EQ(MixTargetProblem(folder.Path("new.mix")), "");

  // 32767 entries at most, the name list counted: 32766 files fill an archive.
  std::vector<MixInput> many;
  for (int i = 0; i < 32767; ++i) many.push_back(Input("f" + std::to_string(i), "x"));
  Bytes archive;
  MixPackSummary summary;
  EXPECT_FALSE(ComposeMix(nullptr, nullptr, many, archive, summary, error));
  EXPECT_NE(error.find("at most 32767 files"), std::string::npos) << error;
  many.pop_back();
  EXPECT_TRUE(ComposeMix(nullptr, nullptr, many, archive, summary, error)) << error;

#ifndef _WIN32
  // The size limit is told from the file's size: a sparse 2 GiB file is refused unread.
  const std::string huge = folder.Path("huge.mix");
  std::filesystem::resize_file(folder.Write("huge.mix", ""), std::uintmax_t{2} << 30);
  Bytes bytes;
  MixIndex index;
  EXPECT_FALSE(ReadMixFile(huge, bytes, index, error));
  EXPECT_NE(error.find("the file has 2147483648 bytes"), std::string::npos) << error;
#endif
}

}  // namespace
