// View -> Preview as exported: while it is on, the map view shows the composed screen as
// the SHP and PAL of an export with the last confirmed settings would show it (or, with
// View -> Preview the 640 x 400 screen, the 640 picture that export makes for the game,
// centred), and the status line names the method, the colour count, the PSNR and the
// pixels on a coloured palette entry 0, which View -> Mark palette entry 0 pixels draws
// magenta. The 800 picture with the octree and without dithering is reduced at once on
// every repaint; the rest runs on a worker thread, and the view keeps the last preview
// until the newer one is ready. The choice is not kept between runs. Copies, image saves
// and exports never see the preview.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "dib_image.h"
#include "editing_session.h"
#include "editor_view.h"
#include "memory_image.h"
#include "preview_worker.h"
#include "status_line.h"

// The view's message for a preview finished on the worker thread.
inline constexpr UINT kExportPreviewReadyMessage = WM_APP + 62;

class ExportPreview {
 public:
  // `turnedOff` is called when the preview switches itself off (a palette that cannot be
  // read, no memory); the message follows once the paint is over.
  ExportPreview(EditingSession& session, StatusLine& status, Prompts& prompts, std::function<void()> turnedOff);
  ~ExportPreview();
  // The view that paints the preview and receives kExportPreviewReadyMessage.
  void SetView(HWND view) { view_ = view; }

  const PreviewChoice& Choice() const { return choice_; }
  void SetChoice(const PreviewChoice& choice);
  // Called by the view after the screen was composed into `canvas`: while the preview is
  // on, replaces it with the preview of the screen composed as the export composes it.
  void Apply(DibImage& canvas);
  // kExportPreviewReadyMessage: the worker finished, or a message waits to be shown.
  // True when the view must be painted again.
  bool OnReady();
  // Ends the worker thread; the preview is off afterwards.
  void Stop();

 private:
  void TurnOffWithMessage(TextLine message);
  void StartRequest(const Image& composed, const ShpExportSettings& settings, const PreviewShape& shape,
                    const Palette& existing);
  void ShowFigures();

  EditingSession& session_;
  StatusLine& status_;
  Prompts& prompts_;
  std::function<void()> turnedOff_;
  HWND view_ = nullptr;
  PreviewChoice choice_;
  // The screen as the export composes it: into memory, whose lines are drawn otherwise
  // than into the view's device bitmap. `picture`, `settings`, `shape` and `existing` are
  // the request last made (computed at once or handed to the worker, as `generation`);
  // `preview` is the newest finished result, which may belong to an older request.
  MemoryImage composed_;
  MemoryImage picture_;
  ShpExportSettings settings_;
  PreviewShape shape_;
  Palette existing_{};
  std::uint64_t generation_ = 0;
  MemoryImage preview_;
  PreviewStats stats_;
  std::uint64_t previewGeneration_ = 0;
  std::unique_ptr<PreviewWorker> worker_;
  TextLine failure_;  // the message to show once the paint is over
};
