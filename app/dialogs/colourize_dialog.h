// The screenshot colourize dialog (112): scales the red, green and blue of the screenshot
// or turns it grey, then darkens or lightens it, each slider's value shown beside it. It
// works live: every painting of its preview hands the settings in the controls to the
// caller, which recomputes the screenshot with them and gives back the picture to show. It
// opens with the settings in force, beside the picture (screen coordinates) where the
// screen has room.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "colourize_settings.h"
#include "image.h"

// `apply` makes the screenshot with the settings it is given and returns it (null when it
// could not: no memory). Modal over `owner`. The settings after OK, for which `apply` was
// called once more ("Out of memory!" is shown and nothing returned when it failed);
// nothing after Cancel or the close box, or when the dialog could not be shown (the caller
// then puts the settings in force back).
std::optional<ColourizeSettings> ShowColourizeDialog(
    HWND owner, const ColourizeSettings& inForce, const RECT& picture,
    const std::function<const Image*(const ColourizeSettings&)>& apply);
