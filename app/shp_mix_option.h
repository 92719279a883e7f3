// The SHP save dialog's "Also put into a MIX file" option: a check box, the archive's name
// and a browse button. The choice is remembered per user ("Vantorel\mix.ini" in the
// application-data folder). After a successful export the SHP and its palette (the new one,
// or the existing one used) go into the archive, made or added to, and the status bar says
// what was packed; a failure is shown in a message box and leaves the archive as it was.
#pragma once

#include <windows.h>

#include <string>

#include "shp_export.h"

// Fills the controls from the remembered choice.
void InitMixOption(HWND dialog);
// The option's own commands (the check box, the browse button). True when `id` is one.
bool MixOptionCommand(HWND dialog, int id);
// On OK, before the export: remembers the controls' choice. When the box is checked, false
// with a message shown if the archive has no name or is one that cannot be added to
// (encrypted, damaged), so the user can mend it before anything is written.
bool PrepareMixOption(HWND dialog, const std::string& shpPath);
// After a successful export: packs what it wrote when the box was checked.
void PackExportIntoMix(HWND dialog, const ShpExportSettings& settings);
