// The select-item dialog (106): every marker with its position; choosing a line selects
// that marker on the screen at once.
#pragma once

// Modal over the main window; returns when the user closes it.
void OpenSelectItemDialog();
