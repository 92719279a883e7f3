// The SHP export: the composed load screen as a one-frame SHP sprite of palette indices,
// with a new 256-colour PAL file built for it or an existing palette read from one.
//
// The export runs to its end on the calling thread (with `threads` 2, a second one helps
// with the mapping); the progress callback, always on the calling thread, is where a window
// keeps itself alive. A complete run calls it 14 times: after the render, after the
// palette, after rows 0, 50, ..., 500 are mapped, and after the image data is written.
//
// Files are never left half-written: the SHP and the PAL go to temporary files beside their
// targets, are flushed to the disk, and are renamed over them (the PAL first) only once both
// are complete (file_replacement.h). Each file on its own is replaced atomically, and the
// old palette stays reachable until the SHP is in place, so a failed commit puts it back;
// a process killed between the two renames leaves the new PAL beside the old SHP, both
// complete. A failed export leaves the files at both paths exactly as they were and no
// temporary file; a successful one also removes what interrupted earlier exports left
// beside the same targets.
// An SHP path that names the palette file is refused in either mode (kSamePathMessage), as
// the SHP would replace the palette it was made with.
#pragma once

#include <functional>
#include <string>

#include "image.h"
#include "load_screen_document.h"
#include "palette_builder.h"
#include "picture_mapping.h"

enum PaletteMode { NewPalette = 0, ExistingPalette = 1 };

struct ShpExportSettings {
  std::string exportPath;   // the SHP file to write
  std::string palettePath;  // read for ExistingPalette, written for NewPalette
  PaletteMode paletteMode = NewPalette;
  // Most colours of a new palette, and the palette entries pixels may use (both modes);
  // clamped to 1..256.
  int colourCount = 256;
  // How a new palette is built; Best also maps pixels by plain RGB distance.
  Quantizer quantizer = Quantizer::Octree;
  bool dither = false;  // Floyd-Steinberg error diffusion (either mode)
  // Keeps every pixel off entry 0, which the games draw as transparent: a new palette gets
  // black there and colourCount - 1 colours after it; an existing one keeps entry 0 unused.
  bool keepIndex0 = false;
  // When not empty, the 640 x 400 picture of the games' 640 x 480 mode (ls640_picture.h) is
  // written here too, mapped to the same palette with the same options, and put in place
  // with the SHP and the PAL. The SHP and PAL are the same bytes either way.
  std::string ls640Path;
  // 2 when a second core is free for the export (the same files, sooner); a batch that
  // runs several exports at once leaves it at 1.
  int threads = 1;
};

// The kind of a failure, for callers that act on it rather than only show the message.
enum class ShpExportError {
  kNone,
  kSamePath,               // the SHP would overwrite the palette, or the 640 picture either
  kPicture,                // no pixels, or sides an SHP cannot hold
  kIndex0NeedsTwoColours,  // entry 0 kept free leaves no colour
  kPalOpen,
  kPalRead,
  kOutOfMemory,
  kShpOpen,
  kShpWrite,
  kPalCreate,
  kPalWrite
};

struct ShpExportResult {
  bool success = false;
  ShpExportError error = ShpExportError::kNone;
  // On failure: the text and caption for the user ("PAL file read error!", "Error"), the
  // file it concerns (empty when none does), and why, in the system's words or the
  // format's terms ("Permission denied", "the file has 100 bytes, a palette needs 768";
  // empty when the message says it all).
  std::string message;
  std::string caption;
  std::string file;
  std::string reason;
  // On success without keepIndex0: how many pixels went to a palette entry 0 that is not
  // black, which the games and most readers draw transparent (0 when none or it is black).
  long index0Pixels = 0;
};

// "12 pixels use palette entry 0, which the games draw transparent." for a result with
// index0Pixels; empty otherwise. The editor's status bar and the command-line tool say it.
std::string Index0Note(const ShpExportResult& result);

// "file: message (reason)" without the parts that are empty: one line for the command-line
// tool and the message boxes.
std::string DescribeShpExportFailure(const ShpExportResult& result);

using ExportProgress = std::function<void()>;

// Messages shown for failures that have no file-format message of their own.
inline constexpr const char kOutOfMemoryMessage[] = "Out of memory for the export!";
inline constexpr const char kSamePathMessage[] = "SHP and palette file must be different files!";
inline constexpr const char kLs640SamePathMessage[] = "The 640 x 400 picture needs a file of its own!";
inline constexpr const char kIndex0NeedsTwoColoursMessage[] = "Keeping index 0 free needs at least 2 colours!";

// Renders `document` into an 800 x 520 picture and exports it (with its 640 x 400 picture
// when the settings name a file for it).
ShpExportResult ExportShp(const LoadScreenDocument& document, const ShpExportSettings& settings,
                          const ExportProgress& progress = {});

// Exports an already composed picture (one frame of its width x height, sides 1..16384).
// Calls `progress` 13 times on a 520-row picture: after the palette, after each mapped row
// whose number is a multiple of 50, after the image data is written.
ShpExportResult ExportPictureAsShp(const Image& picture, const ShpExportSettings& settings,
                                   const ExportProgress& progress = {});

// The mapping an export with `settings` uses: the entries it may take (the colour count
// clamped to 1..256, entry 0 left out for keepIndex0), dithering and the distance. When
// `first` is not below `count` the settings cannot export (kIndex0NeedsTwoColoursMessage).
MappingOptions ExportMappingOptions(const ShpExportSettings& settings);

// True when both paths name the same file, spelled alike or not.
bool SameFilePath(const std::string& a, const std::string& b);
