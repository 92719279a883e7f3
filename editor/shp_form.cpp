#include "shp_form.h"

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
  settings.palettePath = form.paletteName;
  settings.paletteMode = form.paletteMode;
  settings.colourCount = static_cast<int>(form.colourCount);
  settings.quantizer = form.quantizer;
  settings.dither = form.dither;
  settings.keepIndex0 = form.keepIndex0;
  return settings;
}

std::string PaletteNameToCheck(PaletteMode mode, const std::string& name) {
  if (mode != NewPalette) return name;
  const std::size_t nameStart = FileNameStart(name);
  return nameStart == 0 ? name : name.substr(0, nameStart - 1);
}

bool PaletteNamePasses(PaletteMode mode, const std::string& name, const std::function<bool(const std::string&)>& exists) {
  return exists(PaletteNameToCheck(mode, name));
}

std::optional<unsigned> ClampedColourCount(unsigned count, bool fieldEmpty, bool whileTyping) {
  if (whileTyping && fieldEmpty) return std::nullopt;
  if (count > kMaxShpColours) return kMaxShpColours;
  if (count < kMinShpColours) return kMinShpColours;
  return std::nullopt;
}

std::string MixArchivePath(const std::string& name, const std::string& shpPath) {
  if (name.find_first_of("\\/:") != std::string::npos) return name;
  return FolderOfPath(shpPath) + name;
}
