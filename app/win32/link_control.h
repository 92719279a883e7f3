// "LinkClass": a label drawn as a bold, underlined blue link with a hand cursor; a click
// opens its target (an address, a file or a program) with the shell, with the parameters
// set for it, if any. The label is the window text.
//
// The target is set with kLinkSetTarget: wParam points to the text, of at most
// kMaxLinkTarget characters. The window keeps its own copy (result 1); a longer text is
// refused (result 0) and any earlier target stays. A link without a target ignores clicks.
// kLinkSetParameters sets the parameters the same way (at most kMaxLinkParameters
// characters; a null wParam clears them).
#pragma once

#include <windows.h>

#include <cstddef>

inline constexpr char kLinkClassName[] = "LinkClass";
inline constexpr UINT kLinkSetTarget = WM_USER + 10;
inline constexpr UINT kLinkSetParameters = WM_USER + 11;
inline constexpr std::size_t kMaxLinkTarget = 255;
inline constexpr std::size_t kMaxLinkParameters = 1023;

// Registers the class and creates the font of every link. Once per process; later calls
// do nothing and return true. False when the class could not be registered.
bool RegisterLinkClass(HINSTANCE instance);
// Deletes the links' font; called at shutdown, once no link window is left.
void ReleaseLinkFont();
