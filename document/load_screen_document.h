// LoadScreenDocument: the one description of the load screen being edited.
//
// It holds the side, the cameo count, the two layer switches, where the two maps and the
// small target box stand, the template images, the cameos, the screenshot and the markers.
// Exactly one instance is shared by every part of the editor; the command-line tool makes
// its own. The window layer's services come in through a DocumentShell.
//
// Invariants after start-up: side in 0..2, cameoCount 2 or 3, 0 <= smallMapOffset < size of
// worldMap, 0 <= largeMapOffset < size of worldMap2x (once moved by keys).
// Changes that load templates (SetSide, SetCameoCount) are all-or-nothing: on a missing
// file they report false and leave the document exactly as it was.
//
// Every function that changes what is drawn or saved (not the selection) calls WillChange
// just before it changes anything, and only when it really will; the ChangeRecorder set on
// the document (the editor's undo history) keeps the state from before.
#pragma once

#include <string>
#include <vector>

#include "change_recorder.h"
#include "document_settings.h"
#include "document_shell.h"
#include "image_file_cache.h"
#include "marker_list.h"
#include "memory_image.h"
#include "path_limits.h"

inline constexpr int CanvasWidth = 800;
inline constexpr int CanvasHeight = 520;
// Path buffers hold this many characters with the terminator: 260 in the Windows build,
// what the system allows elsewhere.
inline constexpr std::size_t kMaxPath = kPathBufferSize;

enum Side { Allied = 0, Soviet = 1, Yuri = 2 };

// "all", "sov", "psy": the side's file name prefix (index outside 0..2 gives "psy").
const char* SidePrefix(int side);
// "Allied", "Soviet", "Yuri" (any other value gives "Yuri").
const char* SideName(int side);

// The directory separator of file names built here.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// appDir + "Templates" + separator + fileName. Empty when the result would not fit a path
// buffer (kMaxPath with the terminator): such a file is treated as one that cannot be found.
std::string TemplatePath(const std::string& appDir, const std::string& fileName);
// "<prefix>_worldmap.png" and "<prefix>_<n>icomain.png".
std::string WorldMapFileName(int side);
std::string InterfaceFrameFileName(int side, int cameoCount);

// Why a template could not be loaded: its path, the reason in the user's terms, and
// whether the file is simply not there.
struct TemplateProblem {
  std::string path;
  std::string reason;
  bool missing = false;
};

// The settings (side, cameo count, layers, offsets, file names, colour) are inherited from
// DocumentSettings, so that callers name them on the document itself.
class LoadScreenDocument : public DocumentSettings {
 public:
  explicit LoadScreenDocument(DocumentShell* shell = nullptr);

  std::string appDir;  // folder of the package, ending with a separator
  // Where image files are read through: a cache shared by the documents of a batch, or one
  // that decodes a scene's files two at a time (null: each file is decoded on its own).
  // Not owned.
  ImageFileCache* imageCache = nullptr;
  // How many rows of the world map and of the 2x map, from the top, are ever shown (0: all
  // of them). The command-line tool sets them from a scene's fixed offsets, so that only
  // those rows are decoded and the maps come out that high; the editor, whose maps move,
  // needs them whole (it shows its first picture with a limited 2x map, then loads it
  // whole). A shared cache (batches) decodes whole maps once and hands out those rows.
  int worldMapRowLimit = 0;
  int worldMap2xRowLimit = 0;

  MemoryImage worldMap;
  MemoryImage interfaceFrame;
  MemoryImage worldMap2x;
  MemoryImage largeTargetBox;
  MemoryImage smallTargetBox;
  MemoryImage cameos[3];
  MemoryImage screenshot;
  // The screenshot as taken (cropped) before colouring: screenshot is always
  // screenshotBackup coloured with screenshotColour (colourize.h).
  MemoryImage screenshotBackup;

  MarkerList markers;
  int selectedMarker = -1;

  // Set by each template load that fails (LoadCommonTemplates, SetSide, SetCameoCount).
  TemplateProblem lastTemplateProblem;

  DocumentShell& shell() { return *shell_; }
  void SetShell(DocumentShell* shell);
  // Null (the default) records nothing.
  void SetRecorder(ChangeRecorder* recorder) { recorder_ = recorder; }
  // Called by the document functions just before a change.
  void WillChange() {
    if (recorder_) recorder_->WillChange(*this);
  }

  // Loads the three common templates in their fixed order. On the first one missing,
  // returns false with its message ("Error: Can't find com_largetargetbox.png file." ...);
  // one that is there but cannot be read gets "Error: Can't load <file> file: <reason>.".
  bool LoadCommonTemplates(std::string& message);

  // Loads the whole 2x map in place of rows decoded up to worldMap2xRowLimit, and clears the
  // limit (the editor's first picture needs only the rows down to the large map's window).
  // On failure returns false with a message as LoadCommonTemplates gives it, and the
  // document has no 2x map (HasCommonTemplates is false): it must not be drawn any more.
  bool LoadWholeLargeMap(std::string& message);

  // The template files LoadCommonTemplates and then SetSide(side) with `cameoCount` slots
  // read, in that order and with the row limits above: what a cache may decode ahead.
  std::vector<PrefetchFile> TemplateFilesToLoad(int side, int cameoCount) const;

  // Switches to side 0..2 and loads its world map and interface frame. Nothing when the side
  // is unchanged (true). False when a file is missing or the index is out of range: the
  // document is then unchanged. A cameo count of -1 loads the frame for 2 slots.
  bool SetSide(int newSide);
  // Switches to 2 or 3 cameo slots and loads the side's frame for that count. Nothing for an
  // unchanged or other count (true). False when the frame is missing; the document is then
  // unchanged. Cameo images are kept either way.
  bool SetCameoCount(int count);
  // Puts back a cameo count with the side's interface frame for it, both kept from earlier
  // (an undo step); nothing is loaded, recorded or repainted.
  void RestoreCameoCount(int count, MemoryImage frame);
  // Sets both layer switches, updates the menu check marks and repaints.
  void SetLayers(bool top, bool bottom);
  // True when the three common templates are loaded.
  bool HasCommonTemplates() const;

  // The status text "<side name> - <cameo count>".
  std::string SideStatusText() const;

 private:
  void WriteSideStatus();
  DocumentShell* shell_;
  ChangeRecorder* recorder_ = nullptr;
  // The cameo count the loaded interface frame is for (-1 before the first side).
  int frameCount_ = -1;
};
