// Setting the load screen's keys in a mission file's text: every byte that is not one of
// the keys' values stays, whatever the file holds around them.
#include <gtest/gtest.h>

#include "mission_file_edit.h"

namespace {

const MissionKeys kKeys = MapLoadScreenKeys("ALL01UMD.MAP", {"A6.SHP", "A.SHP", "A.PAL"});
const std::string kLines = "LS640BkgdName=A6.SHP\r\nLS800BkgdName=A.SHP\r\nLS800BkgdPal=A.PAL\r\n";
const std::string kLfLines = "LS640BkgdName=A6.SHP\nLS800BkgdName=A.SHP\nLS800BkgdPal=A.PAL\n";

std::string Edited(const std::string& text, const MissionKeys& keys = kKeys) {
  MissionEdit edit;
  std::string error;
  EXPECT_TRUE(SetMissionKeys(text, keys, edit, error)) << error;
  return edit.text;
}

TEST(MissionFileEdit, SetsTheKeysInTheMapsSectionAndKeepsEveryOtherByte) {
  const std::string before =
      "; a mod's missionmd.ini\r\n"
      "[Basic]\r\n"
      "Name=Test\r\n"
      "\r\n"
      "  [all01umd.map]   ; the first mission\r\n"
      "UIName=Mission:All01\r\n"
      "\tls800bkgdname =  OLD.SHP   ; the old picture\r\n"
      ";LS800BkgdPal=COMMENTED.PAL\r\n"
      "LS800BkgdPalette=NOT.OURS\r\n"
      "LSLoadMessage=LoadMsg:All01\r\n"
      "\r\n"
      "; the next one\r\n"
      "[SOV01UMD.MAP]\r\n"
      "LS800BkgdName=SOV.SHP\r\n";
  const std::string after =
      "; a mod's missionmd.ini\r\n"
      "[Basic]\r\n"
      "Name=Test\r\n"
      "\r\n"
      "  [all01umd.map]   ; the first mission\r\n"
      "UIName=Mission:All01\r\n"
      "\tls800bkgdname =  A.SHP   ; the old picture\r\n"
      ";LS800BkgdPal=COMMENTED.PAL\r\n"
      "LS800BkgdPalette=NOT.OURS\r\n"
      "LSLoadMessage=LoadMsg:All01\r\n"
      "LS640BkgdName=A6.SHP\r\n"
      "LS800BkgdPal=A.PAL\r\n"
      "\r\n"
      "; the next one\r\n"
      "[SOV01UMD.MAP]\r\n"
      "LS800BkgdName=SOV.SHP\r\n";
  MissionEdit edit;
  std::string error;
  ASSERT_TRUE(SetMissionKeys(before, kKeys, edit, error)) << error;
  EXPECT_EQ(edit.text, after);
  EXPECT_FALSE(edit.sectionAdded);
  EXPECT_EQ(edit.keysChanged, 1);
  EXPECT_EQ(edit.keysAdded, 2);

  // Run again, nothing changes.
  MissionEdit again;
  ASSERT_TRUE(SetMissionKeys(after, kKeys, again, error));
  EXPECT_EQ(again.text, after);
  EXPECT_FALSE(again.changed());
}

TEST(MissionFileEdit, TableOfLayouts) {
  struct Case {
    const char* what;
    std::string before, after;
  };
  const std::string bom = "\xEF\xBB\xBF";
  const Case cases[] = {
      {"an empty file gets the section, in CR LF lines", "", "[ALL01UMD.MAP]\r\n" + kLines},
      {"a byte order mark alone is kept", bom, bom + "[ALL01UMD.MAP]\r\n" + kLines},
      {"LF lines stay LF; the section goes at the end after a blank line", "[Basic]\nName=x\n",
       "[Basic]\nName=x\n\n[ALL01UMD.MAP]\n" + kLfLines},
      {"a last line without its end is ended first", "[Basic]\nName=x",
       "[Basic]\nName=x\n\n[ALL01UMD.MAP]\n" + kLfLines},
      {"a file ending in a blank line gets no second one", "[Basic]\r\nName=x\r\n\r\n",
       "[Basic]\r\nName=x\r\n\r\n[ALL01UMD.MAP]\r\n" + kLines},
      {"the first line's end is the file's", "[Basic]\nA=1\r\nB=2\r\n",
       "[Basic]\nA=1\r\nB=2\r\n\n[ALL01UMD.MAP]\n" + kLfLines},
      {"a section that is the last line, unended", "[Basic]\r\nA=1\r\n[ALL01UMD.MAP]",
       "[Basic]\r\nA=1\r\n[ALL01UMD.MAP]\r\n" + kLines},
      {"a section without entries gets them after its header", "[ALL01UMD.MAP]\n; nothing yet\n[B]\n",
       "[ALL01UMD.MAP]\n" + kLfLines + "; nothing yet\n[B]\n"},
      {"the map's section after a byte order mark", bom + "[ALL01UMD.MAP]\nLS800BkgdName=X.SHP\n",
       bom + "[ALL01UMD.MAP]\nLS800BkgdName=A.SHP\nLS640BkgdName=A6.SHP\nLS800BkgdPal=A.PAL\n"},
      {"an empty value is filled right after the '='",
       "[ALL01UMD.MAP]\nLS640BkgdName=  ; none\nLS800BkgdName=\nLS800BkgdPal=A.PAL",
       "[ALL01UMD.MAP]\nLS640BkgdName=A6.SHP  ; none\nLS800BkgdName=A.SHP\nLS800BkgdPal=A.PAL"},
      {"a repeated section: keys set in both, added to the first",
       "[ALL01UMD.MAP]\nA=1\n[X]\n[ALL01UMD.MAP]\nLS800BkgdPal=OLD.PAL\n",
       "[ALL01UMD.MAP]\nA=1\nLS640BkgdName=A6.SHP\nLS800BkgdName=A.SHP\n[X]\n[ALL01UMD.MAP]\nLS800BkgdPal=A.PAL\n"},
      {"names that only look alike are other sections", "[ALL01UMD.MAP.BAK]\n;[ALL01UMD.MAP]\nLS800BkgdName=K.SHP\n",
       "[ALL01UMD.MAP.BAK]\n;[ALL01UMD.MAP]\nLS800BkgdName=K.SHP\n\n[ALL01UMD.MAP]\n" + kLfLines},
      {"blanks inside the brackets are trimmed, text after ']' ignored", "[ ALL01UMD.MAP ] junk\nLS800BkgdName=K\n",
       "[ ALL01UMD.MAP ] junk\nLS800BkgdName=A.SHP\nLS640BkgdName=A6.SHP\nLS800BkgdPal=A.PAL\n"},
      {"a value with '=' is replaced whole; other code pages and the end-of-file mark stay",
       "[ALL01UMD.MAP]\nUIName=\xD6\xD0\xCE\xC4\nLS800BkgdName=a=b\n\x1A",
       "[ALL01UMD.MAP]\nUIName=\xD6\xD0\xCE\xC4\nLS800BkgdName=A.SHP\nLS640BkgdName=A6.SHP\nLS800BkgdPal=A.PAL\n\x1A"},
      {"a line with a lone CR is one line, as the game reads it", "[B]\rA=1\r\n",
       "[B]\rA=1\r\n\r\n[ALL01UMD.MAP]\r\n" + kLines},
  };
  for (const Case& c : cases) EXPECT_EQ(Edited(c.before), c.after) << c.what;

  EXPECT_EQ(Edited("[Defaults]\nDefaultLS800BkgdName=OLD\n", DefaultLoadScreenKeys({"A6.SHP", "A.SHP", "A.PAL"})),
            "[Defaults]\nDefaultLS800BkgdName=A.SHP\nDefaultLS640BkgdName=A6.SHP\nDefaultLS800BkgdPal=A.PAL\n");
}

TEST(MissionFileEdit, TextThatIsNotIniIsRefused) {
  struct Case {
    std::string bytes;
    const char* why;
  };
  for (const Case& c :
       {Case{std::string("\xFF\xFE[\0A\0]\0", 8), "UTF-16"}, Case{std::string("\xFE\xFF\0[\0A\0]", 8), "UTF-16"},
        Case{std::string("[\0A\0]\0\r\0\n\0", 10), "byte 0x00 at offset 1 (a binary file or UTF-16"},
        Case{std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), "byte 0x00 at offset 8"},
        Case{"[A]\nB=\x01\n", "byte 0x01 at offset 6 (a binary file)"}}) {
    MissionEdit edit;
    edit.text = "untouched";
    std::string error;
    EXPECT_FALSE(SetMissionKeys(c.bytes, kKeys, edit, error));
    EXPECT_NE(error.find(c.why), std::string::npos) << error;
    EXPECT_EQ(edit.text, "untouched");
  }
  EXPECT_EQ(NotIniTextProblem("[A]\tB=1\f\v\r\n\x1A"), "");
}

}  // namespace
