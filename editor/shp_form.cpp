#include "shp_form.h"

#include "ls640_picture.h"
#include "path_names.h"

ShpForm OpenShpForm(const std::string& shpPath, const ShpChoices& remembered, const MixChoice& mix) {
  ShpForm form;
  form.shpPath = shpPath;
  form.paletteMode = remembered.paletteMode;
  form.browsedPalette = remembered.browsedPalette;
  form.quantizer = remembered.quantizer;
  form.dither = remembered.dither;
  form.keepIndex0 = remembered.keepIndex0;
  form.mix = mix;
  form.paletteName = PaletteNameForMode(form.paletteMode, "", shpPath);
  return form;
}

void RememberShpForm(const ShpForm& form, bool confirmed, ShpChoices& remembered) {
  remembered.paletteMode = form.paletteMode;
  remembered.browsedPalette = form.browsedPalette;
  if (!confirmed) return;
  remembered.quantizer = form.quantizer;
  remembered.dither = form.dither;
  remembered.keepIndex0 = form.keepIndex0;
}

ShpExportSettings ShpExportSettingsOf(const ShpForm& form) {
  ShpExportSettings settings;
  settings.exportPath = form.shpPath;
  settings.palettePath = PaletteFilePath(form.paletteMode, form.paletteName, form.shpPath);
  settings.paletteMode = form.paletteMode;
  settings.colourCount = static_cast<int>(form.colourCount);
  settings.quantizer = form.quantizer;
  settings.dither = form.dither;
  settings.keepIndex0 = form.keepIndex0;
  if (form.mix.pack) settings.ls640Path = FolderOfPath(form.shpPath) + Ls640NameFor(FileNameOfPath(form.shpPath));
  return settings;
}

std::string ProposedPaletteName(const std::string& shpPath) {
  const std::string name = FileNameOfPath(shpPath);
  const std::size_t dot = name.rfind('.');
  return name.empty() ? name : name.substr(0, dot == std::string::npos || dot == 0 ? name.size() : dot) + ".pal";
}

std::string PaletteNameForMode(PaletteMode mode, const std::string& field, const std::string& shpPath) {
  return mode == NewPalette && field.empty() ? ProposedPaletteName(shpPath) : field;
}

std::string PaletteFilePath(PaletteMode mode, const std::string& name, const std::string& shpPath) {
  return mode == NewPalette ? BesideShp(name, shpPath) : name;
}

PaletteNameProblem CheckPaletteName(PaletteMode mode, const std::string& name, const std::string& shpPath,
                                    const std::function<bool(const std::string&)>& exists) {
  if (name.empty()) return PaletteNameProblem::Empty;
  if (mode == ExistingPalette) return exists(name) ? PaletteNameProblem::None : PaletteNameProblem::NoFile;
  // The folder up to its last separator; a path without one is checked as it is.
  const std::string path = PaletteFilePath(mode, name, shpPath);
  const std::size_t nameStart = FileNameStart(path);
  return exists(nameStart == 0 ? path : path.substr(0, nameStart - 1)) ? PaletteNameProblem::None
                                                                       : PaletteNameProblem::NoFolder;
}

TextLine PaletteNameProblemLine(PaletteNameProblem problem) {
  switch (problem) {
    case PaletteNameProblem::Empty: return {{Text::PaletteNameEmpty}};
    case PaletteNameProblem::NoFolder: return {{Text::PaletteFolderMissing}};
    case PaletteNameProblem::NoFile: return {{Text::PaletteFileMissing}};
    default: return {};
  }
}

std::optional<unsigned> ClampedColourCount(unsigned count, bool fieldEmpty, bool whileTyping) {
  if (whileTyping && fieldEmpty) return std::nullopt;
  if (count > kMaxShpColours) return kMaxShpColours;
  if (count < kMinShpColours) return kMinShpColours;
  return std::nullopt;
}

std::string BesideShp(const std::string& name, const std::string& shpPath) {
  if (name.find_first_of("\\/:") != std::string::npos) return name;
  return FolderOfPath(shpPath) + name;
}
