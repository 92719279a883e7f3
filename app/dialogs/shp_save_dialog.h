// The SHP save settings dialog (107), opened for the SHP file chosen before it: a new
// palette built from the picture or an existing PAL file, the palette file (with a line
// under it saying why OK waits), the number of colours, the palette method and dithering,
// whether palette entry 0 is left unused (the games draw it transparent), and "Also put
// into a MIX file" with the archive's name, the scenario's map file and the mission file.
// OK hands the form to the caller, which checks it and runs the export while the dialog
// shows its progress and stays alive; the dialog closes when the export ends.
#pragma once

#include <windows.h>

#include <functional>

#include "prompts.h"
#include "shp_form.h"

struct ShpSaveActions {
  // OK was pressed with the form as the controls hold it: remembers the choices and checks
  // what the export needs. False keeps the dialog open; the reason was told through
  // `prompts`, owned by the dialog.
  std::function<bool(const ShpForm& form, Prompts& prompts)> prepare;
  // Runs the export, calling `step` after each of its parts. True when the dialog then
  // closes; false keeps it open with only Cancel to press (nothing was written).
  std::function<bool(const ShpForm& form, const std::function<void()>& step, Prompts& prompts)> run;
};

// Modal over `owner`. The form as the dialog closed (its palette mode and the file last
// browsed for are remembered even after Cancel).
ShpForm ShowShpSaveDialog(HWND owner, const ShpForm& form, const ShpSaveActions& actions);
