// Setting a section's keys in the text of an INI file in place, every other byte kept: the
// comments, the order, the case of names, blank lines, line ends, other sections and the
// other keys of the same section.
//
// The text is read as the game reads its INI files: lines end at LF (a CR before it belongs
// to the end); blanks are spaces, tabs and other CRs; a line whose first non-blank character is '['
// starts a section named by the text up to the first ']' (or ';'), blanks trimmed; in a
// section, a line with '=' before any ';' is an entry whose key is the text before the '='
// and whose value runs to the ';' or the line's end, blanks trimmed at both. Section names
// and keys match without regard to ASCII case. A UTF-8 byte order mark is kept and skipped.
//
// A key is set wherever it stands in a section of that name (the value's bytes replaced,
// right after the '=' when it was empty). Keys found nowhere are added after the last entry
// of the first such section (after its header when it has none). A missing section is added
// at the end, after a blank line. New lines end as the file's first line does (CR LF when
// no line has ended yet).
#pragma once

#include <string>
#include <string_view>

#include "mission_keys.h"

struct MissionEdit {
  std::string text;  // the whole new text
  bool sectionAdded = false;
  int keysChanged = 0;  // existing entries given another value
  int keysAdded = 0;    // entries added to an existing section
  bool changed() const { return sectionAdded || keysChanged || keysAdded; }
};

// Empty when `bytes` can be edited as INI text; otherwise why not, in a user's terms: UTF-16
// text (a byte order mark, or the NUL bytes of its ASCII characters), or a binary file (a
// NUL or another control character than tab, LF, VT, FF, CR and the end-of-file mark 0x1A).
std::string NotIniTextProblem(std::string_view bytes);

// Sets `keys` in `text` (the rules above). False with `error` (NotIniTextProblem's) when the
// text is not INI text; `edit` is then untouched. The keys are not checked here
// (MissionKeysProblem).
bool SetMissionKeys(std::string_view text, const MissionKeys& keys, MissionEdit& edit, std::string& error);
