// The SHP save dialog's form and its rules: what the fields hold, when OK may be pressed,
// how the colour count is kept in range, and which choices are remembered for the run.
//
// The palette mode and the file last browsed for are remembered as soon as they change; the
// method, dithering and the entry-0 rule when OK is pressed; the colour count starts at 256
// at every opening. The palette name field starts with the SHP's own name and ".pal" for a
// new palette (a bare name, which lies beside the SHP) and empty for an existing one. The
// export the dialog confirms with OK becomes the settings the export preview shows.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "interface_texts.h"
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
// The export the form asks for. With "Also put into a MIX file" it makes the 640 x 400
// picture too, beside the SHP under the name Ls640NameFor gives.
ShpExportSettings ShpExportSettingsOf(const ShpForm& form);

// A new palette's name proposed for the SHP at `shpPath`: its file name with ".pal" in
// place of its extension ("C:\mod\sov01.shp" gives "sov01.pal").
std::string ProposedPaletteName(const std::string& shpPath);
// The field's text after the palette mode changed to `mode`: a new palette's empty field
// takes the proposed name; anything else stays.
std::string PaletteNameForMode(PaletteMode mode, const std::string& field, const std::string& shpPath);
// The palette file the field names: a new palette's bare name lies beside the SHP (as the
// MIX name does); an existing palette's name is used as it is.
std::string PaletteFilePath(PaletteMode mode, const std::string& name, const std::string& shpPath);

// Why OK cannot be pressed for the palette name, or None when it can: a new palette needs
// the folder that is to hold its file, an existing one the file itself.
enum class PaletteNameProblem { None, Empty, NoFolder, NoFile };
PaletteNameProblem CheckPaletteName(PaletteMode mode, const std::string& name, const std::string& shpPath,
                                    const std::function<bool(const std::string&)>& exists);
// The short line the dialog shows under the field while OK is disabled; empty for None.
TextLine PaletteNameProblemLine(PaletteNameProblem problem);

// The count field after an edit: the value to write back into it, or nothing to change.
// `count` is the field read as a number (0 when it holds none). While the user types, an
// emptied field stays empty (so deleting "256" and typing "64" gives 64); it reads as 1
// once the field loses the focus or OK is pressed.
std::optional<unsigned> ClampedColourCount(unsigned count, bool fieldEmpty, bool whileTyping);

// The file a name typed in the dialog means: a bare name lies beside the SHP file, where a
// modder keeps the mod's files; a name with a folder or drive is used as it is. The MIX
// archive, a new palette and the mission file are named so.
std::string BesideShp(const std::string& name, const std::string& shpPath);
inline std::string MixArchivePath(const std::string& name, const std::string& shpPath) {
  return BesideShp(name, shpPath);
}
