// The file name a save dialog proposes from the last file the user chose in any of the
// file dialogs (they share one): the same folder and name, but with the extension of the
// dialog's own file type, so accepting the proposal never writes one kind of file over
// another (the last screenshot "battle.png" becomes "battle.shp" in the SHP dialog).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// `ownExtensions` and `defaultExtension` are given with their dot (".shp"); they compare
// without case. A last file of one of the own types keeps its extension; one of another
// type gets `defaultExtension` in place of its own; a name without extension is kept (the
// dialog adds its default one).
std::string ProposedFileName(std::string_view lastPath, std::initializer_list<std::string_view> ownExtensions,
                             std::string_view defaultExtension);
