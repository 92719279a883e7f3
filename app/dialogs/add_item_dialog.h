// The add-item dialog (105): picks a symbol from the SymbolsList catalogue of Settings.ini
// and previews it in one of three side colours; OK has the caller place it, then closes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "catalogue.h"
#include "pixel.h"

// The side colours a marker takes, by the dialog's radio buttons: blue, red, purpure.
inline constexpr int kMarkerColourCount = 3;
Pixel MarkerColour(int index);

struct AddItemForm {
  std::string appDir;  // the package, where the previewed symbols are read
  std::vector<CatalogueEntry> symbols;
  std::string catalogueError;  // shown when the dialog opens; the list then stays empty
  int colour = 0;              // 0 .. kMarkerColourCount - 1
};

// Modal over `owner`. OK with a symbol chosen calls `place` with its file in Templates and
// the colour, before the dialog closes. Returns the colour chosen last, also after Cancel.
int ShowAddItemDialog(HWND owner, const AddItemForm& form,
                      const std::function<void(const std::string& symbolFile, int colour)>& place);
