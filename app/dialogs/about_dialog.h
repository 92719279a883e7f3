// The About dialog (103): the program's name and version in a large font, a link that opens
// the guide's page about this version, and the template package's readme, which can be
// scrolled and read but not changed. It fades in and out.
#pragma once

#include <windows.h>

#include <string>

struct AboutForm {
  std::string readme;  // with CR LF line breaks; empty leaves the box empty
  // What the link opens: a program, an address or a file, with parameters for a program.
  std::string linkTarget;
  std::string linkParameters;
  bool fade = true;
};

// Modal over `owner`; returns when the user closes it.
void ShowAboutDialog(HWND owner, const AboutForm& form);
