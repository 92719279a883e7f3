// The page About opens is in the guide: listed in its project (so it is compiled in) and its
// contents, and about the version the program's title names, so a new version cannot leave
// the link on a page that is gone or about another version.
#include "guide_pages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "interface_texts.h"

namespace {

std::string GuideSource(const std::string& name) {
  std::ifstream file(std::string(VANTOREL_SOURCE_DIR) + "/docs/help/" + name, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

TEST(GuidePages, TheVersionPageIsCompiledInAndAboutThisVersion) {
  const std::string page = GuideSource(kVersionPage);
  ASSERT_FALSE(page.empty()) << "docs/help/" << kVersionPage << " is missing";
  const std::string title(TextTemplate(Text::ProgramTitle, InterfaceLanguage::English));
  EXPECT_NE(page.find("<title>" + title), std::string::npos) << "the page's title names " << title;
  EXPECT_NE(GuideSource("vantorel.hhp").find(std::string("\n") + kVersionPage), std::string::npos);
  EXPECT_NE(GuideSource("toc.hhc").find(std::string("value=\"") + kVersionPage + "\""), std::string::npos);
}

// Every entry of the contents and the index opens a page of the guide, and an entry that
// names a section (page.html#id) names one the page has.
TEST(GuidePages, EveryContentsAndIndexEntryLeadsToAPageAndItsSection) {
  for (const char* list : {"toc.hhc", "index.hhk"}) {
    const std::string text = GuideSource(list);
    ASSERT_FALSE(text.empty()) << "docs/help/" << list << " is missing";
    const std::string marker = "name=\"Local\" value=\"";
    int entries = 0;
    for (std::size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + 1)) {
      const std::size_t start = at + marker.size();
      const std::string target = text.substr(start, text.find('"', start) - start);
      const std::size_t hash = target.find('#');
      const std::string page = GuideSource(target.substr(0, hash));
      ++entries;
      if (page.empty()) {
        ADD_FAILURE() << list << " names " << target << ", which is not a page of the guide";
      } else if (hash != std::string::npos) {
        EXPECT_NE(page.find("id=\"" + target.substr(hash + 1) + "\""), std::string::npos)
            << list << " names " << target << ", a section the page does not have";
      }
    }
    EXPECT_GT(entries, 0) << list << " has no entries";
  }
}
