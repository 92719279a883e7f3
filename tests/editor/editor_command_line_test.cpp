// The editor's own command line: help words give the usage, the first argument is the scene,
// and a name the editor cannot use is refused with a message naming it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor_command_line.h"

namespace {

constexpr std::size_t kBuffer = 260;

// Plain ASCII narrows as it is; anything else has no form, as on a code page without it.
std::string AsciiOnly(std::u16string_view text, bool& lossy) {
  std::string narrow;
  lossy = false;
  for (const char16_t unit : text) {
    lossy = lossy || unit > 0x7F;
    narrow += unit > 0x7F ? '?' : static_cast<char>(unit);
  }
  return narrow;
}

EditorStartRequest Read(const std::vector<std::u16string>& arguments) {
  return ReadEditorCommandLine(arguments, AsciiOnly, kBuffer);
}

std::string English(const TextLine& line) { return Utf8Line(line, InterfaceLanguage::English); }

TEST(EditorCommandLine, HelpWordsAnywhereGiveTheUsageNamingTheCommandLineTool) {
  for (const std::u16string word : {u"--help", u"-h", u"/?", u"-?", u"/H", u"--HELP"}) {
    const EditorStartRequest request = Read({u"scene.ini", word});
    EXPECT_EQ(request.kind, EditorStartKind::Usage);
    EXPECT_NE(English(request.message).find("vantorel-cli.exe --help"), std::string::npos);
    EXPECT_NE(Utf8Line(request.message, InterfaceLanguage::Chinese).find("vantorel-cli.exe"), std::string::npos);
  }
  // Not help words: a scene of that name is looked for as before.
  EXPECT_EQ(Read({u"--helper"}).kind, EditorStartKind::OpenScene);
  EXPECT_EQ(Read({u"h"}).kind, EditorStartKind::OpenScene);
}

TEST(EditorCommandLine, TheFirstArgumentIsTheSceneAndNoneOrEmptyStartsPlain) {
  EXPECT_EQ(Read({}).kind, EditorStartKind::Plain);
  EXPECT_EQ(Read({u""}).kind, EditorStartKind::Plain);
  const EditorStartRequest request = Read({u"C:\\scenes\\a b.ini", u"other.ini"});
  EXPECT_EQ(request.kind, EditorStartKind::OpenScene);
  EXPECT_EQ(request.scene, "C:\\scenes\\a b.ini");
  // The longest name a path buffer holds.
  EXPECT_EQ(Read({std::u16string(kBuffer - 1, u'a')}).kind, EditorStartKind::OpenScene);
}

TEST(EditorCommandLine, NamesThatCannotBeUsedAreRefusedNamingWhatWasGiven) {
  const EditorStartRequest lone = Read({u"bad\xD800.ini"});
  EXPECT_EQ(lone.kind, EditorStartKind::RefuseScene);
  EXPECT_EQ(English(lone.message),
            "Can't open the scene file given on the command line:\nbad?.ini\n\n"
            "The name is not valid text (it holds an unpaired UTF-16 surrogate).");
  // A low half first, a high half last: unpaired too; a pair is valid and then narrowed.
  EXPECT_EQ(Read({u"\xDC00x.ini"}).kind, EditorStartKind::RefuseScene);
  EXPECT_EQ(Read({u"x.ini\xD83D"}).kind, EditorStartKind::RefuseScene);

  const EditorStartRequest noForm = Read({u"\u5730\u56fe.ini"});
  EXPECT_EQ(noForm.kind, EditorStartKind::RefuseScene);
  EXPECT_NE(English(noForm.message).find("??.ini\n\nThe name holds characters"), std::string::npos);
  EXPECT_NE(Utf8Line(noForm.message, InterfaceLanguage::Chinese).find("??.ini"), std::string::npos);

  const EditorStartRequest tooLong = Read({std::u16string(kBuffer, u'a')});
  EXPECT_EQ(tooLong.kind, EditorStartKind::RefuseScene);
  EXPECT_NE(English(tooLong.message).find("260 bytes long, more than the 259"), std::string::npos);
}

TEST(EditorCommandLine, NamesShownAreSoundAndShortenedInTheMiddleWithoutSplittingAPair) {
  EXPECT_EQ(NameToShow(u"a\xD800z"), u"a\uFFFDz");
  EXPECT_EQ(NameToShow(u"\xDFFF"), u"\uFFFD");
  EXPECT_EQ(NameToShow(u"short.ini", 9), u"short.ini");
  EXPECT_EQ(NameToShow(u"0123456789.ini", 9), u"012345\u2026ini");
  // A pair where the cut would fall stays whole on the side that keeps it.
  const std::u16string pairs = u"ab\U0001F600\U0001F600\U0001F600cd";
  for (std::size_t keep = 3; keep < pairs.size(); ++keep) {
    const std::u16string shown = NameToShow(pairs, keep);
    EXPECT_NE(shown.find(u'\u2026'), std::u16string::npos);
    EXPECT_EQ(NameToShow(shown, shown.size() + 1), shown) << "keep " << keep << ": a half pair was cut off";
  }
  // Thousands of characters come out short.
  EXPECT_LE(NameToShow(std::u16string(30000, u'x')).size(), 91u);
}

}  // namespace
