// The image file dialogs: an open dialog with a preview pane (template 108) beside the
// system's controls, and a plain save dialog. Both offer ImageFilter (image_files.h) and
// end by loading or saving through LoadImageFile / SaveImageFile.
//
// `path` is the caller's buffer of kMaxPath characters: the open dialog starts in its
// folder, the save dialog proposes it; both write the chosen file back.
#pragma once

#include <windows.h>

#include <string>

#include "image.h"

// Registers the "ImagePreview" window class of the open dialog's preview pane. Once per
// process; later calls do nothing. Called at start-up.
void RegisterImagePreviewClass(HINSTANCE instance);

// What came of ChooseImageToOpen: the user cancelled, the chosen file loaded, or it could
// not be loaded (the loader's reason says why; the caller tells the user).
enum class ImageOpenOutcome { Cancelled, Loaded, Unreadable };

// Opens in the folder of `path` with an empty file-name field (`path` is emptied, and stays
// empty on cancel). The chosen file is loaded into `image`, which must hold no pixels; a
// file that does not load leaves it so, with `reason` set. The pane's label and the texts
// are in the interface language.
ImageOpenOutcome ChooseImageToOpen(HWND owner, char* path, Image& image, std::string& reason);

// What came of ChooseImageToSave: the user cancelled (nothing was written), the file was
// written, or it could not be (any earlier file at the path is then unchanged). Callers word
// the failure themselves.
enum class ImageSaveOutcome { Cancelled, Saved, Failed };

// Offers `path` as the file name and asks before replacing an existing file; the chosen
// name is written back into `path` (a name typed without an extension gets
// `defaultExtension`, given without its dot). Saves `image` with SaveImageFile, in the
// format of the name's extension. A failed save leaves why in `reason` when one is given.
ImageSaveOutcome ChooseImageToSave(HWND owner, char* path, const char* defaultExtension, const Image& image,
                                   std::string* reason = nullptr);
