// The user guide, VANTRL.CHM beside the program (compiled from docs/help), and how the editor
// opens one of its pages: the system's help viewer, hh.exe, takes "<guide>::/<page>".
#pragma once

#include <string>

inline constexpr char kGuideFile[] = "VANTRL.CHM";
// The page about this version, which About's "Updates and news" opens; the version is the
// one the program's title names.
inline constexpr char kVersionPage[] = "version-1.11.html";
inline constexpr char kHelpViewer[] = "hh.exe";

// The help viewer's argument for `page` of the guide in `appDir` (which ends with a
// separator): "<appDir>VANTRL.CHM::/<page>", unquoted, as the viewer reads its whole
// command line as one name.
std::string GuidePageArgument(const std::string& appDir, const std::string& page);
