// View -> Preview as exported: while it is on, the map view shows the composed screen as
// the SHP and PAL of an export with the last confirmed settings would show it, and the
// status bar's third part gives the method, the colour count and the PSNR. The octree
// without dithering is reduced at once on every repaint; the slower methods run on a
// worker thread, and the view keeps the last preview until the newer one is ready. The
// choice is not kept between runs. Copies, image saves and exports never see the preview.
#pragma once

#include "dib_image.h"

// The view's message for a preview finished on the worker thread.
inline constexpr unsigned kExportPreviewReadyMessage = 0x8000 + 62;  // WM_APP + 62

// The menu command: turns the preview on or off, moves the check mark, repaints.
void ToggleExportPreview();
// Called by the view after the screen was composed into `canvas`: while the preview is on,
// replaces it with the preview of the screen composed as the export composes it. An existing palette that cannot be read turns the
// preview off, with a message that names the file.
void ApplyExportPreview(DibImage& canvas);
// The worker finished a preview: repaints with it unless a newer one is wanted.
void OnExportPreviewReady();
// The status bar's third part again (after a language switch); nothing while off.
void RefreshExportPreviewStatus();
// Ends the worker thread; the preview is off afterwards.
void StopExportPreview();
