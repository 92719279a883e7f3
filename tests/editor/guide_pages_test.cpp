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
