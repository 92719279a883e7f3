#include "export_preview.h"

#include <cstring>
#include <utility>

#include "pal_file.h"
#include "renderer.h"

namespace {

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

TextLine Verbatim(const std::string& text) { return {{Text::Verbatim, {{"text", text}}}}; }

}  // namespace

ExportPreview::ExportPreview(EditingSession& session, StatusLine& status, Prompts& prompts,
                             std::function<void()> turnedOff)
    : session_(session), status_(status), prompts_(prompts), turnedOff_(std::move(turnedOff)) {}

ExportPreview::~ExportPreview() { Stop(); }

// "Preview: octree, 256 colours, 38.4 dB", with the dithering named and "computing..." in
// place of the figure while the worker has not caught up.
void ExportPreview::ShowFigures() {
  if (!choice_.on) return;
  using Method = PreviewFigures::Method;
  PreviewFigures figures;
  figures.method = settings_.paletteMode == ExistingPalette ? Method::ExistingPalette
                   : settings_.quantizer == Quantizer::Best ? Method::Best
                                                            : Method::Octree;
  figures.dithered = settings_.dither;
  figures.colours = ExportMappingOptions(settings_).count;
  figures.computing = previewGeneration_ != generation_;
  figures.psnr = stats_.psnr;
  figures.ls640 = shape_.ls640;
  figures.index0Pixels = stats_.index0Pixels;
  status_.ShowPreview(figures);
}

void ExportPreview::SetChoice(const PreviewChoice& choice) {
  choice_ = choice;
  if (choice.on) return;
  if (worker_) worker_->CancelAll();
  // The next preview starts afresh, and the memory goes back meanwhile.
  composed_.Free();
  picture_.Free();
  preview_.Free();
  previewGeneration_ = ++generation_;
  status_.ShowPreview(std::nullopt);
}

// The message waits for the paint to end: a message box inside WM_PAINT would paint again.
void ExportPreview::TurnOffWithMessage(TextLine message) {
  PreviewChoice off = choice_;
  off.on = false;
  SetChoice(off);
  failure_ = std::move(message);
  PostMessageA(view_, kExportPreviewReadyMessage, 0, 0);
  if (turnedOff_) turnedOff_();
}

void ExportPreview::StartRequest(const Image& composed, const ShpExportSettings& settings, const PreviewShape& shape,
                                 const Palette& existing) {
  if (!picture_.Allocate(composed.width, composed.height)) return TurnOffWithMessage({{Text::OutOfMemory}});
  picture_.PasteRect(composed, 0, 0, 0, 0, composed.width, composed.height);
  settings_ = settings;
  shape_ = shape;
  existing_ = existing;
  const std::uint64_t generation = ++generation_;
  if (ExportPreviewNeedsWorker(settings, shape)) {
    PreviewJob job;
    job.picture = std::make_unique<MemoryImage>(picture_);
    if (!job.picture->valid) return TurnOffWithMessage({{Text::OutOfMemory}});
    job.settings = settings;
    job.shape = shape;
    job.existing = existing;
    job.generation = generation;
    if (!worker_) {
      HWND view = view_;
      worker_ = std::make_unique<PreviewWorker>([view] { PostMessageA(view, kExportPreviewReadyMessage, 0, 0); });
    }
    worker_->Submit(std::move(job));
    return;
  }
  if (worker_) worker_->CancelAll();
  if (!preview_.valid && !preview_.Allocate(composed.width, composed.height))
    return TurnOffWithMessage({{Text::OutOfMemory}});
  switch (RenderExportPreview(picture_, settings, existing, shape, preview_, stats_)) {
    case PreviewOutcome::Done: previewGeneration_ = generation; return;
    case PreviewOutcome::NotPossible: return TurnOffWithMessage(Verbatim(kIndex0NeedsTwoColoursMessage));
    default: return TurnOffWithMessage({{Text::OutOfMemory}});
  }
}

void ExportPreview::Apply(DibImage& canvas) {
  if (!choice_.on) return;
  const ShpExportSettings settings = session_.choices().confirmedShp;
  const PreviewShape shape{choice_.ls640, choice_.markIndex0};
  Palette existing{};
  if (settings.paletteMode == ExistingPalette) {
    std::string reason;
    if (ReadPalFile(settings.palettePath.c_str(), existing, reason) != PalReadStatus::kOk) {
      TextLine message{{Text::PreviewPaletteUnreadable}, {Text::FileLine, {{"file", settings.palettePath}}}};
      if (!reason.empty()) message.push_back({Text::ReasonAfterFile, {{"reason", reason}}});
      return TurnOffWithMessage(std::move(message));
    }
  }
  if (!composed_.valid && !composed_.Allocate(CanvasWidth, CanvasHeight))
    return TurnOffWithMessage({{Text::OutOfMemory}});
  RenderLoadScreen(session_.document(), &composed_);
  if (!SamePicture(composed_, picture_) || !SameReduction(settings, settings_) || !(shape == shape_) ||
      existing != existing_)
    StartRequest(composed_, settings, shape, existing);
  if (!choice_.on) return;
  // Until the worker's first result the full-colour screen stays.
  if (preview_.valid) canvas.PasteRect(preview_, 0, 0, 0, 0, canvas.width, canvas.height);
  ShowFigures();
}

bool ExportPreview::OnReady() {
  if (!failure_.empty()) {
    const TextLine message = std::move(failure_);
    failure_.clear();
    prompts_.Tell(Report(message, PromptIcon::Warning));
    return false;
  }
  PreviewJobResult result;
  if (!choice_.on || !worker_ || !worker_->TakeResult(result) || result.generation != generation_) return false;
  if (result.outcome == PreviewOutcome::NotPossible) {
    TurnOffWithMessage(Verbatim(kIndex0NeedsTwoColoursMessage));
    return false;
  }
  if (result.outcome != PreviewOutcome::Done || !result.preview) {
    TurnOffWithMessage({{Text::OutOfMemory}});
    return false;
  }
  preview_ = std::move(*result.preview);
  stats_ = result.stats;
  previewGeneration_ = result.generation;
  return true;
}

void ExportPreview::Stop() {
  choice_.on = false;
  worker_.reset();
}
