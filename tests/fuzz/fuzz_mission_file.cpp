// The mission file edit on any text: it either refuses the text or keeps every byte of it
// (the old text a subsequence of the new) and, run again on its own result, changes nothing.
// The map's name is taken from the input's first line, so odd section names are tried too.
#include <cstdlib>
#include <string>
#include <string_view>

#include "mission_file_edit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string map(text.substr(0, std::min<std::size_t>(text.find('\n'), 40)));
  const LoadScreenNames names{"A6.SHP", "A.SHP", "A.PAL"};
  for (const MissionKeys& keys :
       {MapLoadScreenKeys(MapNameProblem(map).empty() ? map : "ALL01UMD.MAP", names), DefaultLoadScreenKeys(names)}) {
    MissionEdit edit;
    std::string error;
    if (!SetMissionKeys(text, keys, edit, error)) {
      if (error.empty() || NotIniTextProblem(text).empty()) std::abort();
      return 0;
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < edit.text.size() && kept < text.size(); ++i) kept += edit.text[i] == text[kept];
    // Replaced values are the only bytes that may go.
    if (!edit.keysChanged && kept != text.size()) std::abort();
    MissionEdit again;
    if (!SetMissionKeys(edit.text, keys, again, error) || again.changed() || again.text != edit.text) std::abort();
  }
  return 0;
}
