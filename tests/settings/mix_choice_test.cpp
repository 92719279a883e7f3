#include <gtest/gtest.h>

#include "mix_choice.h"

TEST(MixChoice, RoundTripsAndReadsAnythingElseAsUnchecked) {
  const MixChoice chosen{true, "C:\\mod dir\\expandmd01.mix"};
  const MixChoice read = ParseMixChoice(FormatMixChoice(chosen));
  EXPECT_TRUE(read.pack);
  EXPECT_EQ(read.file, chosen.file);
  // ';' would start a comment and '=' split the entry: such a name is not written.
  EXPECT_EQ(ParseMixChoice(FormatMixChoice({true, "a;b.mix"})).file, "");
  EXPECT_FALSE(ParseMixChoice("").pack);
  EXPECT_FALSE(ParseMixChoice("[Other]\nPack=1\n").pack);
  EXPECT_FALSE(ParseMixChoice("[Mix]\nPack=yes\n").pack);
  EXPECT_FALSE(ParseMixChoice("[Mix]\nPack=1\n" + std::string(kMixChoiceMaxBytes, ' ')).pack);
}
