// The screenshot colourize dialog (112): scales the red, green and blue of the document's
// screenshot or turns it grey, then darkens or lightens it. It works live: every painting
// of its preview recomputes the screenshot from the uncoloured screenshotBackup with the
// current settings (which become the document's screenshotColour) and repaints the view.
// It opens with the settings in force.
#pragma once

// Modal over the main window. Returns 1 after OK, with the screenshot recomputed once more
// with the final settings; 0 after Cancel or the close box (the caller then puts the
// settings in force before back), or when the dialog could not be shown.
int ShowColourizeDialog();
