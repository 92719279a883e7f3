#include "guide_pages.h"

std::string GuidePageArgument(const std::string& appDir, const std::string& page) {
  return appDir + kGuideFile + "::/" + page;
}
