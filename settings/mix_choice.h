// The SHP dialog's "Also put into a MIX file" choice, remembered per user in a small INI
// file of its own beside the interface language's:
//
//   [Mix]
//   Pack=1
//   File=C:\mod\expandmd01.mix
//
// A missing file, a missing entry or a damaged file mean: not checked, no name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct MixChoice {
  bool pack = false;
  std::string file;
};

MixChoice ParseMixChoice(std::string_view fileText);
// The whole text of the file (CR LF lines). A name with a line break is left out.
std::string FormatMixChoice(const MixChoice& choice);
// A file longer than this is not ours: it reads as damaged.
inline constexpr std::size_t kMixChoiceMaxBytes = 4096;
