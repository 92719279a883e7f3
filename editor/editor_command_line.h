// What the editor's own command line asks for. A help word (--help, -h, -?, /?, /h, in any
// case) anywhere asks for the usage; otherwise the first argument names a scene file to
// open, and the others are not used. A scene name the editor cannot use - text that is not
// valid UTF-16, a name without a form in the narrow encoding of file names, or one longer
// than a path may be - is refused with a message naming what was given, never dropped.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "interface_texts.h"

enum class EditorStartKind { Plain, Usage, OpenScene, RefuseScene };

struct EditorStartRequest {
  EditorStartKind kind = EditorStartKind::Plain;
  std::string scene;  // OpenScene: the name, in the narrow encoding of file names
  TextLine message;   // Usage and RefuseScene: what the user is told
};

// UTF-16 (valid) to the narrow encoding of file names; `lossy` set when a character has no
// form there (it comes out as a stand-in, good for showing the name only).
using NarrowFileName = std::function<std::string(std::u16string_view, bool& lossy)>;

// `arguments` without the program's name; `pathBufferSize` counts the terminator.
EditorStartRequest ReadEditorCommandLine(const std::vector<std::u16string>& arguments, const NarrowFileName& narrow,
                                         std::size_t pathBufferSize);

// `text` with every unpaired surrogate made U+FFFD and, when longer than `keep` code
// units, its middle left out ("start…end"), never splitting a pair: a name for a message
// box, which does not wrap a name without spaces.
std::u16string NameToShow(std::u16string_view text, std::size_t keep = 90);
