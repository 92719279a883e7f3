// The screenshot colourize dialog (112): scales the red, green and blue of the document's
// screenshot or turns it grey, then darkens or lightens it. It works live: every painting
// of its preview recomputes the screenshot from screenshotBackup with the current settings
// and repaints the view. The settings start at their defaults at every opening.
#pragma once

// Modal over the main window. The caller has made screenshotBackup a copy of the
// screenshot. Returns 1 after OK, with the screenshot recomputed once more from the backup
// with the final settings; 0 after Cancel or the close box (the caller then restores the
// screenshot from the backup), or when the dialog could not be shown.
int ShowColourizeDialog();
