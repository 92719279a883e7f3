// Save as SHP (menu 40038): the SHP file dialog, then the SHP save settings dialog (107),
// where the user chooses a new palette built from the picture or an existing PAL file, the
// palette file and the number of colours; OK runs the export with a progress bar and
// closes the dialog when it ends. The palette mode and file are kept for the run; the
// colour count starts at 256 at every opening.
#pragma once

// Asks for the SHP file (starting from the shared last-file path), then opens the settings
// dialog for it. Cancelling the file dialog opens nothing.
void SaveShpCommand();
// The settings dialog for the SHP file `path`, modal over the main window.
void ShowShpSaveDialog(const char* path);
