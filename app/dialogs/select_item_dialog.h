// The select-item dialog (106): every marker with its position, symbol and colour; choosing
// a line selects that marker on the screen at once, through the caller.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "interface_texts.h"

struct SelectItemForm {
  std::vector<TextLine> lines;  // each marker's line (marker_texts.h), in drawing order
  int selected = -1;            // the marker selected when the dialog opens
};

// Modal over `owner`; `select` is called with a marker's index whenever the user chooses
// its line. Returns when the user closes the dialog.
void ShowSelectItemDialog(HWND owner, const SelectItemForm& form, const std::function<void(int)>& select);
