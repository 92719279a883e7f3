#include <gtest/gtest.h>

#include "mix_choice.h"

TEST(MixChoice, RoundTripsAndReadsAnythingElseAsUnchecked) {
  const MixChoice chosen{true, "C:\\mod dir\\expandmd01.mix", "ALL01UMD.MAP", "C:\\mod dir\\missionmd.ini"};
  const MixChoice read = ParseMixChoice(FormatMixChoice(chosen));
  EXPECT_TRUE(read.pack);
  EXPECT_EQ(read.file, chosen.file);
  EXPECT_EQ(read.map, chosen.map);
  EXPECT_EQ(read.missionFile, chosen.missionFile);
  // A file of an earlier version, without the mission's names.
  EXPECT_EQ(ParseMixChoice("[Mix]\r\nPack=1\r\nFile=a.mix\r\n").map, "");
  // ';' would start a comment and '=' split the entry: such a name is not written.
  const MixChoice unwritable = ParseMixChoice(FormatMixChoice({true, "a;b.mix", "A=B.MAP", "m\nx.ini"}));
  EXPECT_EQ(unwritable.file + unwritable.map + unwritable.missionFile, "");
  EXPECT_FALSE(ParseMixChoice("").pack);
  EXPECT_FALSE(ParseMixChoice("[Other]\nPack=1\n").pack);
  EXPECT_FALSE(ParseMixChoice("[Mix]\nPack=yes\n").pack);
  EXPECT_FALSE(ParseMixChoice("[Mix]\nPack=1\n" + std::string(kMixChoiceMaxBytes, ' ')).pack);
}
