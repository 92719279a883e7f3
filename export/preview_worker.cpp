#include "preview_worker.h"

#include <utility>

PreviewWorker::PreviewWorker(std::function<void()> ready) : ready_(std::move(ready)) {}

PreviewWorker::~PreviewWorker() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    ++submissions_;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void PreviewWorker::Submit(PreviewJob job) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    waiting_ = std::make_unique<PreviewJob>(std::move(job));
    ++submissions_;
    if (!thread_.joinable()) thread_ = std::thread(&PreviewWorker::Run, this);
  }
  wake_.notify_all();
}

void PreviewWorker::CancelAll() {
  std::lock_guard<std::mutex> lock(mutex_);
  waiting_.reset();
  ++submissions_;
}

bool PreviewWorker::TakeResult(PreviewJobResult& result) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!finished_) return false;
  result = std::move(*finished_);
  finished_.reset();
  return true;
}

void PreviewWorker::Run() {
  for (;;) {
    std::unique_ptr<PreviewJob> job;
    std::uint64_t mine = 0;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [&] { return stopping_ || waiting_; });
      if (stopping_) return;
      job = std::move(waiting_);
      mine = submissions_;
    }
    // Asked after every row: one lock per row is nothing beside the row's mapping.
    auto superseded = [&] {
      std::lock_guard<std::mutex> lock(mutex_);
      return submissions_ != mine;
    };
    auto result = std::make_unique<PreviewJobResult>();
    result->generation = job->generation;
    auto preview = std::make_unique<MemoryImage>();
    if (!preview->Allocate(job->picture->width, job->picture->height)) {
      result->outcome = PreviewOutcome::OutOfMemory;
    } else {
      result->outcome = RenderExportPreview(*job->picture, job->settings, job->existing, job->shape, *preview,
                                            result->stats, superseded);
      if (result->outcome == PreviewOutcome::Done) result->preview = std::move(preview);
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (submissions_ != mine || result->outcome == PreviewOutcome::Cancelled) continue;
      finished_ = std::move(result);
    }
    if (ready_) ready_();
  }
}
