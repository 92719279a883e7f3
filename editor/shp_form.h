// The SHP save dialog's form and its rules: what the fields hold, when OK may be pressed,
// how the colour count is kept in range, and which choices are remembered for the run.
//
// The palette mode and the file last browsed for are remembered as soon as they change; the
// method, dithering and the entry-0 rule when OK is pressed; the colour count starts at 256
// at every opening and the palette name field empty. The export the dialog confirms with OK
// becomes the settings the export preview shows.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "mix_choice.h"
#include "shp_export.h"

inline constexpr unsigned kMinShpColours = 1;
inline constexpr unsigned kMaxShpColours = 256;

// What the dialog remembers between openings in one run.
struct ShpChoices {
  PaletteMode paletteMode = NewPalette;
  std::string browsedPalette;  // where the palette file dialog starts
  Quantizer quantizer = Quantizer::Octree;
  bool dither = false;
  bool keepIndex0 = false;
};

// The dialog's fields.
struct ShpForm {
  std::string shpPath;  // chosen in the file dialog before the settings dialog opens
  PaletteMode paletteMode = NewPalette;
  std::string paletteName;
  std::string browsedPalette;
  unsigned colourCount = kMaxShpColours;
  Quantizer quantizer = Quantizer::Octree;
  bool dither = false;
  bool keepIndex0 = false;
  MixChoice mix;
};

// The form a new opening shows for `shpPath`.
ShpForm OpenShpForm(const std::string& shpPath, const ShpChoices& remembered, const MixChoice& mix);
// What the form leaves remembered once the dialog closed (`confirmed`: OK was pressed).
void RememberShpForm(const ShpForm& form, bool confirmed, ShpChoices& remembered);
// The export the form asks for.
ShpExportSettings ShpExportSettingsOf(const ShpForm& form);

// The file whose existence lets OK be pressed: a new palette needs the folder that is to
// hold it (the name up to its last separator), an existing one the file itself. A name
// without a folder is checked as it is.
std::string PaletteNameToCheck(PaletteMode mode, const std::string& name);
bool PaletteNamePasses(PaletteMode mode, const std::string& name, const std::function<bool(const std::string&)>& exists);

// The count field after an edit: the value to write back into it, or nothing to change.
// `count` is the field read as a number (0 when it holds none). While the user types, an
// emptied field stays empty (so deleting "256" and typing "64" gives 64); it reads as 1
// once the field loses the focus or OK is pressed.
std::optional<unsigned> ClampedColourCount(unsigned count, bool fieldEmpty, bool whileTyping);

// The archive a MIX name means: a bare name lies beside the SHP file, where a modder keeps
// the mod's files; a name with a folder or drive is used as it is.
std::string MixArchivePath(const std::string& name, const std::string& shpPath);
