#include "shp_mix_option.h"

#include <commdlg.h>

#include <cstdint>
#include <vector>

#include "app_state.h"
#include "common_file_dialogs_win32.h"
#include "file_replacement.h"
#include "main_window.h"
#include "mix_choice.h"
#include "mix_name_id.h"
#include "user_settings_store.h"
#include "mix_packing.h"
#include "read_file.h"
#include "resource.h"
#include "ui_language.h"

namespace {

constexpr char kMixErrorMessage[] = "MIX file error!";

MixChoice choice;
bool loaded = false;
// The archive the coming export packs into; empty when the box is not checked.
std::string packInto;

std::string ChoicePath() {
  const std::string settings = UserSettingsPath();
  return settings.empty() ? settings : settings.substr(0, settings.find_last_of('\\') + 1) + "mix.ini";
}

void LoadChoice() {
  if (loaded) return;
  loaded = true;
  std::vector<std::uint8_t> bytes;
  std::string reason;
  const std::string path = ChoicePath();
  // One byte more than a file of ours may hold, so an overlong file reads as damaged.
  if (!path.empty() && ReadFileContents(path, kMixChoiceMaxBytes + 1, bytes, reason))
    choice = ParseMixChoice(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// Remembering is a comfort: a file that cannot be written costs only the next opening's
// defaults, so it is not worth a message in the middle of an export.
void SaveChoice() {
  const std::string path = ChoicePath();
  if (path.empty()) return;
  CreateDirectoryA(path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
  const std::string text = FormatMixChoice(choice);
  FileReplacement file(path);
  std::string ignored;
  if (file.WriteAll(text.data(), text.size(), ignored)) CommitReplacement(file, ignored);
}

void EnableNameControls(HWND dialog) {
  const BOOL on = IsDlgButtonChecked(dialog, IDC_MIX_PACK) == BST_CHECKED;
  EnableWindow(GetDlgItem(dialog, IDC_MIX_NAME), on);
  EnableWindow(GetDlgItem(dialog, IDC_MIX_BROWSE), on);
}

void BrowseMix(HWND dialog) {
  char path[kMaxPath] = {};
  GetDlgItemTextA(dialog, IDC_MIX_NAME, path, sizeof path);
  OPENFILENAMEA browse{};
  browse.lStructSize = sizeof browse;
  browse.hwndOwner = dialog;
  browse.hInstance = App().instance;
  browse.lpstrFilter = "MIX files(*.mix)\0*.mix\0All Files (*.*)\0*.*\0";
  browse.lpstrFile = path;
  browse.nMaxFile = sizeof path;
  browse.lpstrDefExt = "mix";
  // An existing archive is added to, never replaced: no question about replacing it.
  browse.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
  if (ShowSaveFileDialog(&browse)) SetDlgItemTextA(dialog, IDC_MIX_NAME, path);
}

// A bare name lies beside the SHP file, where a modder keeps the mod's files.
std::string ArchivePath(const std::string& name, const std::string& shpPath) {
  if (name.find_first_of("\\/:") != std::string::npos) return name;
  const std::size_t folder = shpPath.find_last_of("\\/");
  return folder == std::string::npos ? name : shpPath.substr(0, folder + 1) + name;
}

void ShowMixError(HWND dialog, const std::string& error) {
  const std::string text = std::string(kMixErrorMessage) + "\n\n" + error;
  MessageBoxA(dialog, text.c_str(), kErrorCaption, MB_ICONERROR);
}

}  // namespace

void InitMixOption(HWND dialog) {
  LoadChoice();
  packInto.clear();
  CheckDlgButton(dialog, IDC_MIX_PACK, choice.pack ? BST_CHECKED : BST_UNCHECKED);
  SendDlgItemMessageA(dialog, IDC_MIX_NAME, EM_LIMITTEXT, kMaxPath - 1, 0);
  SetDlgItemTextA(dialog, IDC_MIX_NAME, choice.file.c_str());
  EnableNameControls(dialog);
}

bool MixOptionCommand(HWND dialog, int id) {
  if (id == IDC_MIX_PACK) EnableNameControls(dialog);
  else if (id == IDC_MIX_BROWSE) BrowseMix(dialog);
  else return false;
  return true;
}

bool PrepareMixOption(HWND dialog, const std::string& shpPath) {
  char name[kMaxPath] = {};
  GetDlgItemTextA(dialog, IDC_MIX_NAME, name, sizeof name);
  choice.pack = IsDlgButtonChecked(dialog, IDC_MIX_PACK) == BST_CHECKED;
  choice.file = name;
  SaveChoice();
  packInto.clear();
  if (!choice.pack) return true;
  if (choice.file.empty()) {
    ShowMixError(dialog, "Enter the name of the MIX file, or clear the check box.");
    return false;
  }
  const std::string path = ArchivePath(choice.file, shpPath);
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
    std::vector<std::uint8_t> bytes;
    MixIndex index;
    std::string error;
    if (!ReadMixFile(path, bytes, index, error)) {
      ShowMixError(dialog, error);
      return false;
    }
  }
  packInto = path;
  return true;
}

void PackExportIntoMix(HWND dialog, const ShpExportSettings& settings) {
  if (packInto.empty()) return;
  std::vector<MixInput> inputs(2);
  std::string error;
  const bool exists = GetFileAttributesA(packInto.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (!ReadMixInput(settings.exportPath, inputs[0], error) || !ReadMixInput(settings.palettePath, inputs[1], error) ||
      !PackMix(packInto, exists ? packInto : "", inputs, error)) {
    ShowMixError(dialog, error);
    return;
  }
  const std::string archive = packInto.substr(packInto.find_last_of("\\/") + 1);
  const std::string text = "Packed " + UpperCaseName(inputs[0].name) + " and " + UpperCaseName(inputs[1].name) +
                           " into " + archive;
  SetStatusText(StatusPartHint, text.c_str());
}
