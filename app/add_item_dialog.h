// The add-item dialog (105): picks a symbol from the SymbolsList catalogue of Settings.ini,
// previews it in one of three side colours and places it as a new marker at (100, 100).
// The colour choice is kept for the rest of the run.
#pragma once

// Modal over the main window; the symbol preview is emptied when it has closed.
void OpenAddItemDialog();
