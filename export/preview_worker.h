// One background thread for the export previews that are too slow for the keys (the best
// quantizer, dithering). The newest request wins: a submission replaces one still waiting
// and cancels the one being computed, whose result is then dropped. The thread starts with
// the first submission and is cancelled and joined by the destructor.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "export_preview.h"
#include "memory_image.h"

struct PreviewJob {
  std::unique_ptr<MemoryImage> picture;  // the composed screen, owned by the job
  ShpExportSettings settings;
  PreviewShape shape;
  Palette existing{};            // the palette read for ExistingPalette
  std::uint64_t generation = 0;  // the caller's number for the request, given back
};

struct PreviewJobResult {
  PreviewOutcome outcome = PreviewOutcome::NotPossible;
  std::unique_ptr<MemoryImage> preview;  // the reduced picture when the outcome is Done
  PreviewStats stats;
  std::uint64_t generation = 0;
};

class PreviewWorker {
 public:
  // `ready` runs on the worker thread after each finished computation (not after a
  // cancelled one); it should only wake the caller's thread, which then calls TakeResult.
  explicit PreviewWorker(std::function<void()> ready);
  ~PreviewWorker();
  PreviewWorker(const PreviewWorker&) = delete;
  PreviewWorker& operator=(const PreviewWorker&) = delete;

  void Submit(PreviewJob job);
  // Drops the waiting request and cancels the running one.
  void CancelAll();
  // Moves out the newest finished result; false when there is none since the last call.
  bool TakeResult(PreviewJobResult& result);

 private:
  void Run();

  std::function<void()> ready_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::unique_ptr<PreviewJob> waiting_;
  std::unique_ptr<PreviewJobResult> finished_;
  std::uint64_t submissions_ = 0;  // bumped by every Submit and CancelAll: older work stops
  bool stopping_ = false;
  std::thread thread_;
};
