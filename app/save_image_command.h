// Save as image (menu 40004): the composed 800 x 520 load screen, as the view shows it, to
// an image file whose extension chooses the format (PNG, BMP, TGA or JPEG).
#pragma once

// Asks for the file (starting from the shared last-file path) and writes it. A failure is
// reported in a message box; cancelling does nothing.
void SaveAsImageCommand();
