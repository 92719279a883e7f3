// The screen taken out of the editor: as an SHP sprite with its palette (and into a MIX
// archive), or as an image file.
#pragma once

#include "command_context.h"

// 40038: the SHP file dialog (starting from the last file chosen), then the SHP save
// settings dialog, whose OK runs the export (shp_export_run.h). The status bar says what was
// written, how many pixels landed on a coloured palette entry 0, what was packed and which
// mission file names it.
void SaveShp(CommandContext& context);
// 40004: the composed 800 x 520 screen, as the view shows it without the preview, to an
// image file whose extension chooses the format.
void SaveImage(CommandContext& context);
