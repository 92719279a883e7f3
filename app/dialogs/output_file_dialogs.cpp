#include "output_file_dialogs.h"

#include <commdlg.h>

#include <cstdio>
#include <optional>

#include "common_file_dialogs_win32.h"
#include "language.h"
#include "path_limits.h"

namespace {

// `caption` none: the system's own title ("Save As").
bool ChooseFile(HWND owner, std::string& path, Text filter, const char* extension, DWORD flags,
                std::optional<Text> caption = std::nullopt) {
  char chosen[kPathBufferSize] = "";
  if (path.size() < sizeof chosen) std::snprintf(chosen, sizeof chosen, "%s", path.c_str());
  const std::string filterText = NarrowTextOf(filter);
  const std::string title = caption ? NarrowTextOf(*caption) : std::string();
  OPENFILENAMEA browse{};
  browse.lStructSize = sizeof browse;
  browse.hwndOwner = owner;
  browse.hInstance = GetModuleHandleA(nullptr);
  browse.lpstrFilter = filterText.c_str();
  browse.lpstrFile = chosen;
  browse.nMaxFile = sizeof chosen;
  browse.lpstrDefExt = extension;
  browse.lpstrTitle = caption ? title.c_str() : nullptr;
  browse.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | flags;
  if (!ShowSaveFileDialog(&browse)) return false;
  path = chosen;
  return true;
}

}  // namespace

bool ChooseShpFile(HWND owner, std::string& path) {
  return ChooseFile(owner, path, Text::ShpFilter, "shp", OFN_OVERWRITEPROMPT);
}

bool ChoosePaletteFile(HWND owner, std::string& path, bool mustExist) {
  return ChooseFile(owner, path, Text::PalFilter, "pal", mustExist ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
}

bool ChooseMixFile(HWND owner, std::string& path) {
  return ChooseFile(owner, path, Text::MixFilter, "mix", 0, Text::MixBrowseCaption);
}

bool ChooseMissionFile(HWND owner, std::string& path) {
  return ChooseFile(owner, path, Text::MissionFilter, "ini", 0, Text::MissionBrowseCaption);
}
