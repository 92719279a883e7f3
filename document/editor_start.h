// How the editor's document starts: the common templates, the Allied side with two cameo
// slots, both layers, the large map and the target box at their first place. The editor
// runs the stages around the creation of its window (the side's status needs the window);
// its stand-ins (the test driver's model of the screen, tests) start in one call.
#pragma once

#include <string>

#include "load_screen_document.h"
#include "undo_history.h"

// Stage 1, before any window: places the large map and the target box. With
// `firstPictureOnly` only the 2x map's rows down to the large map's first window will be
// decoded (LoadWholeLargeMap reads the rest). A cache set on the document
// (ImageFileCache::Use::kOnce) is told the files of stages 2 and 3, so that a second thread
// decodes them meanwhile.
void PlaceStartScreen(LoadScreenDocument& document, bool firstPictureOnly);
// Stage 2: the common templates. False with `message` as LoadCommonTemplates gives it.
// (LoadStartTemplates: stages 1 and 2 in one call.)
bool LoadStartTemplates(LoadScreenDocument& document, bool firstPictureOnly, std::string& message);
// Stage 3, once the shell can show a status: the Allied side with two cameo slots. False
// when a template of the side is missing (lastTemplateProblem names it).
bool StartAlliedSide(LoadScreenDocument& document);

// All three stages, both layers shown, and `history` recording from here on with nothing
// modified: the screen the editor shows after start-up. False with `message` set when a
// template is missing.
bool StartEditorDocument(LoadScreenDocument& document, UndoHistory& history, std::string& message);
