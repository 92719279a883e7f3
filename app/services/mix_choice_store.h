// The SHP dialog's "Also put into a MIX file" choice, remembered per user in "mix.ini"
// beside the settings file (mix_choice.h): read at the dialog's first opening, written
// whenever OK is pressed.
#pragma once

#include "mix_choice.h"

// What the file holds; not checked and no name when it is missing or damaged. The file is
// read once per run, later calls give what was stored since.
MixChoice StoredMixChoice();
// Remembering is a comfort: a file that cannot be written costs only the next run's
// defaults, so it is not worth a message in the middle of an export.
void StoreMixChoice(const MixChoice& choice);
