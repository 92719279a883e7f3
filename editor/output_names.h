// The file names the output dialogs propose (Save as SHP, Save as image): the scene's, or
// the one last chosen for that kind of file, never an input's (the screenshot, a palette).
//
// Each kind of output keeps the file last chosen for it with the scene file the screen
// belonged to then. A dialog proposes
//   1. that file again while the screen still belongs to the same scene file (or is still
//      untitled);
//   2. otherwise the scene file's folder and name with the kind's extension: the screen of
//      "C:\maps\mission1.ini" proposes "C:\maps\mission1.shp";
//   3. otherwise (an untitled screen) the file last chosen for the kind, or nothing.
// Save as image keeps the type last chosen: its extension is that file's when it is one of
// the image types written, PNG otherwise.
#pragma once

#include <string>
#include <string_view>

struct ChosenOutput {
  std::string path;   // empty until a file is chosen
  std::string scene;  // the screen's scene file when it was chosen; empty: untitled
};

inline constexpr std::string_view kShpExtension = ".shp";
inline constexpr std::string_view kDefaultImageExtension = ".png";

std::string ProposedOutputPath(const ChosenOutput& last, const std::string& scenePath, std::string_view extension);
// The extension of `path` ("screen.GIF" gives ".GIF") when it names one of the image types
// Save as image writes (PNG, BMP, JPEG, TGA, GIF), otherwise kDefaultImageExtension.
std::string ImageExtensionOf(std::string_view path);
