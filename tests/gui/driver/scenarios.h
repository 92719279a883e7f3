// The scenarios of the GUI test run. Each starts the editor it needs (and ends it), prints
// its checks through the context's CheckLog and never stops the run.
#pragma once

#include <string>

#include "driver_context.h"
#include "editor_session.h"
#include "run_language.h"

void RunStartupChecks(const DriverContext& context);         // title, status bar, menu, picture, layers
void RunKeyChecks(const DriverContext& context);             // arrow keys in the three modes
void RunMarkerChecks(const DriverContext& context);          // add, drag, keys, select, Tab, delete
void RunSettingsErrorChecks(const DriverContext& context);   // add-item dialog without a usable Settings.ini
void RunViewChecks(const DriverContext& context);            // centring, scrolling, status bar toggle
void RunClipboardChecks(const DriverContext& context);       // copy to clipboard
void RunExitChecks(const DriverContext& context);            // the close question
void RunStartupFailureChecks(const DriverContext& context);  // missing templates
void RunCameoChecks(const DriverContext& context);           // load screen settings: count, side, cameos
void RunScreenshotChecks(const DriverContext& context);      // screenshot chooser, preview pane, crop
void RunColourizeChecks(const DriverContext& context);       // screenshot colourize dialog, scene keys
void RunSceneFileChecks(const DriverContext& context);       // save, reopen, drops, title, failed save
void RunUndoChecks(const DriverContext& context);            // undo and redo of every kind of change
void RunShpExportChecks(const DriverContext& context);       // SHP save dialogs and exports
void RunMixChecks(const DriverContext& context);             // the SHP export also put into a MIX file
void RunSaveImageChecks(const DriverContext& context);       // save as image
void RunAboutChecks(const DriverContext& context);           // About dialog, readme box, link
void RunSoakChecks(const DriverContext& context);            // many rounds of everything; objects and memory flat
void RunComfortChecks(const DriverContext& context);         // align command, quiet modifier keys, minimum window size
void RunLanguageChecks(const DriverContext& context);        // switching the language, the remembered choice
void RunPasteChecks(const DriverContext& context);           // paste screenshot, scale in the crop dialog
void RunRecoveryChecks(const DriverContext& context);        // copies of unsaved work after a kill
void RunSystemLanguageChecks(const DriverContext& context);  // the first start follows the system's language
void RunZoomChecks(const DriverContext& context);            // 200 % blocks, a drag at 200 %, back to 100 %
void RunNewAndRecentChecks(const DriverContext& context);    // File -> New, the recent files, "Saved ..."
void RunPreviewChecks(const DriverContext& context);         // the view as an SHP export would show it
void RunPlacementChecks(const DriverContext& context);    // focus after dialogs, dialogs on screen, window remembered
void RunOutputNameChecks(const DriverContext& context);   // the names the SHP and image dialogs propose
void RunDpiChecks(const DriverContext& context);          // 192 DPI: the view at 200 %, the crop dialog's layout
void RunPaletteNameChecks(const DriverContext& context);  // the palette name: proposed, beside the SHP, why OK waits
void RunMissionChecks(const DriverContext& context);      // into the game: 640 picture, mission file, report
void RunGamePreviewChecks(const DriverContext& context);  // the preview of the 640 x 400 picture, entry 0 marked
void RunCommandLineChecks(const DriverContext& context);  // usage box, names that cannot be opened

// The menu captions of `language`, one check per popup named `prefix` + popup.
void CheckMenuCaptions(const DriverContext& context, const EditorSession& session, const std::string& prefix,
                       DriverLanguage language);
