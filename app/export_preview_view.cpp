#include "export_preview_view.h"

#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>

#include "app_state.h"
#include "main_window.h"
#include "map_view.h"
#include "memory_image.h"
#include "pal_file.h"
#include "preview_worker.h"
#include "renderer.h"
#include "resource.h"
#include "shp_export_choices.h"
#include "ui_language.h"
#include "ui_texts.h"

namespace {

// What the view shows while previewing. `picture`, `settings` and `existing` are the
// request last made (computed at once or handed to the worker, as `generation`);
// `preview` is the newest finished result, which may belong to an older request.
struct PreviewState {
  bool on = false;
  // The screen as the export composes it: into memory, whose lines are drawn otherwise
  // than into the view's device bitmap.
  MemoryImage composed;
  MemoryImage picture;
  ShpExportSettings settings;
  Palette existing{};
  std::uint64_t generation = 0;
  MemoryImage preview;
  double psnr = 0;
  std::uint64_t previewGeneration = 0;
  std::unique_ptr<PreviewWorker> worker;
  std::string failure;  // the message to show once the paint is over
};

PreviewState state;

bool SamePicture(const Image& a, const Image& b) {
  if (!a.valid || !b.valid || a.width != b.width || a.height != b.height) return false;
  for (int y = 0; y < a.height; ++y)
    if (std::memcmp(a.GetRow(y), b.GetRow(y), static_cast<std::size_t>(a.width) * sizeof(Pixel)) != 0) return false;
  return true;
}

// The settings that change the picture; the palette path counts through `existing`.
bool SameReduction(const ShpExportSettings& a, const ShpExportSettings& b) {
  return a.paletteMode == b.paletteMode && a.colourCount == b.colourCount && a.quantizer == b.quantizer &&
         a.dither == b.dither && a.keepIndex0 == b.keepIndex0;
}

const wchar_t* MethodName(const ShpExportSettings& settings, bool english) {
  if (settings.paletteMode == ExistingPalette) return english ? L"existing palette" : L"现有调色板";
  if (settings.quantizer == Quantizer::Best) return english ? L"best" : L"最佳";
  return english ? L"octree" : L"八叉树";
}

// "Preview: octree, 256 colours, 38.4 dB", with the dithering named and "computing..."
// in place of the figure while the worker has not caught up.
void ShowStatus() {
  HWND bar = App().statusBar;
  if (!bar || !state.on) return;
  const bool english = UiIsEnglish();
  const ShpExportSettings& s = state.settings;
  std::wstring text = english ? L"Preview: " : L"预览: ";
  text += MethodName(s, english);
  if (s.dither) text += english ? L", dithered" : L", 抖动";
  text += L", " + std::to_wstring(ExportMappingOptions(s).count) + (english ? L" colours, " : L" 色, ");
  wchar_t figure[32];
  if (state.previewGeneration != state.generation) std::wcscpy(figure, english ? L"computing..." : L"计算中...");
  else if (std::isinf(state.psnr)) std::wcscpy(figure, english ? L"lossless" : L"无损");
  else std::swprintf(figure, 32, L"%.1f dB", state.psnr);
  text += figure;
  SendMessageW(bar, SB_SETTEXTW, StatusPartHint, reinterpret_cast<LPARAM>(text.c_str()));
}

void SetOn(bool on) {
  state.on = on;
  CheckMainMenuItem(MenuPopupView, IDM_PREVIEW_AS_EXPORTED, on);
  if (on) return;
  if (state.worker) state.worker->CancelAll();
  // The next preview starts afresh, and the memory goes back meanwhile.
  state.composed.Free();
  state.picture.Free();
  state.preview.Free();
  state.previewGeneration = ++state.generation;
  SetStatusText(StatusPartHint, Text(UiText::KeyHint));
}

// The message waits for the paint to end: a message box inside WM_PAINT would paint again.
void TurnOffWithMessage(std::string message) {
  SetOn(false);
  state.failure = std::move(message);
  PostMessageA(App().view, kExportPreviewReadyMessage, 0, 0);
}

void StartRequest(const Image& composed, const ShpExportSettings& settings, const Palette& existing) {
  if (!state.picture.Allocate(composed.width, composed.height)) return TurnOffWithMessage(kOutOfMemory);
  state.picture.PasteRect(composed, 0, 0, 0, 0, composed.width, composed.height);
  state.settings = settings;
  state.existing = existing;
  const std::uint64_t generation = ++state.generation;
  if (ExportPreviewNeedsWorker(settings)) {
    PreviewJob job;
    job.picture = std::make_unique<MemoryImage>(state.picture);
    if (!job.picture->valid) return TurnOffWithMessage(kOutOfMemory);
    job.settings = settings;
    job.existing = existing;
    job.generation = generation;
    if (!state.worker) {
      HWND view = App().view;
      state.worker = std::make_unique<PreviewWorker>([view] { PostMessageA(view, kExportPreviewReadyMessage, 0, 0); });
    }
    state.worker->Submit(std::move(job));
    return;
  }
  if (state.worker) state.worker->CancelAll();
  if (!state.preview.valid && !state.preview.Allocate(composed.width, composed.height))
    return TurnOffWithMessage(kOutOfMemory);
  switch (RenderExportPreview(state.picture, settings, existing, state.preview, state.psnr)) {
    case PreviewOutcome::Done: state.previewGeneration = generation; return;
    case PreviewOutcome::NotPossible: return TurnOffWithMessage(kIndex0NeedsTwoColoursMessage);
    default: return TurnOffWithMessage(kOutOfMemory);
  }
}

}  // namespace

void ToggleExportPreview() {
  SetOn(!state.on);
  RepaintView();
}

void ApplyExportPreview(DibImage& canvas) {
  if (!state.on) return;
  const ShpExportSettings settings = ConfirmedShpExportSettings();
  Palette existing{};
  if (settings.paletteMode == ExistingPalette) {
    std::string reason;
    if (ReadPalFile(settings.palettePath.c_str(), existing, reason) != PalReadStatus::kOk)
      return TurnOffWithMessage("The palette file cannot be read, so the preview is off.\n\n" + settings.palettePath +
                                (reason.empty() ? "" : ":\n" + reason));
  }
  if (!state.composed.valid && !state.composed.Allocate(CanvasWidth, CanvasHeight))
    return TurnOffWithMessage(kOutOfMemory);
  RenderLoadScreen(Document(), &state.composed);
  if (!SamePicture(state.composed, state.picture) || !SameReduction(settings, state.settings) ||
      existing != state.existing)
    StartRequest(state.composed, settings, existing);
  if (!state.on) return;
  // Until the worker's first result the full-colour screen stays.
  if (state.preview.valid) canvas.PasteRect(state.preview, 0, 0, 0, 0, canvas.width, canvas.height);
  ShowStatus();
}

void OnExportPreviewReady() {
  if (!state.failure.empty()) {
    const std::string message = std::move(state.failure);
    state.failure.clear();
    MessageBoxA(App().mainWindow, message.c_str(), kProgramCaption, MB_ICONWARNING);
    return;
  }
  PreviewJobResult result;
  if (!state.on || !state.worker || !state.worker->TakeResult(result) || result.generation != state.generation) return;
  if (result.outcome == PreviewOutcome::NotPossible) return TurnOffWithMessage(kIndex0NeedsTwoColoursMessage);
  if (result.outcome != PreviewOutcome::Done || !result.preview) return TurnOffWithMessage(kOutOfMemory);
  state.preview = std::move(*result.preview);
  state.psnr = result.psnr;
  state.previewGeneration = result.generation;
  RepaintView();
}

void RefreshExportPreviewStatus() { ShowStatus(); }

void StopExportPreview() {
  state.on = false;
  state.worker.reset();
}
