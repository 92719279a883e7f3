// The load screen settings dialog (104): the number of cameo slots, the side, the cameo in
// each slot (from the CameosList catalogue of Settings.ini) and the battlefield screenshot.
// Every change goes to the document at once; the one button closes the dialog. The cameo
// choices and the screenshot's file name are remembered for the rest of the run.
#pragma once

// Modal over the main window: menu command 40030 and a double click on the main window.
void OpenLoadScreenSettingsDialog();
