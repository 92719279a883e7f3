// The question the editor asks at start-up about a recovery copy that an ended editor left.
#pragma once

#include <string>

#include "prompts.h"

// "Restore the unsaved screen mission1.ini from 14:32?" (Untitled for a screen that had no
// scene file), the scene file's full name on a paragraph of its own, then what No does.
// `originalPath` comes from the copy's record and is only shown, never trusted.
Prompt RecoveryQuestion(const std::string& originalPath, const std::string& clock);
