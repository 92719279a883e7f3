// The About dialog (103): the program's name and version in a large font, a link to the
// project's home page and the template package's readme, which can be scrolled and read
// but not changed. It fades in and out.
#pragma once

// Modal over the main window; returns when the user closes it.
void OpenAboutDialog();
