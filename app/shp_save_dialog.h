// Save as SHP (menu 40038): the SHP file dialog, then the SHP save settings dialog (107),
// where the user chooses a new palette built from the picture or an existing PAL file, the
// palette file, the number of colours and whether palette entry 0 is left unused (the
// games draw it transparent); OK runs the export with a progress bar and
// closes the dialog when it ends, and the status bar tells how many pixels an export put
// on a coloured entry 0. The palette mode, file and entry-0 choice are kept for the run; the
// colour count starts at 256 at every opening.
#pragma once

// Asks for the SHP file (starting from the shared last-file path), then opens the settings
// dialog for it. Cancelling the file dialog opens nothing.
void SaveShpCommand();
// The settings dialog for the SHP file `path`, modal over the main window.
void ShowShpSaveDialog(const char* path);
