#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>

#include "mapped_file.h"
#include "mapped_views.h"
#include "read_file.h"

namespace {

struct sigaction previousBusHandler {};

// A read past the end of a mapped file that was shortened: the view's pages become zeros
// (mmap over them replaces them in one step) and the read is tried again. Any other bus
// error goes where it went before.
void OnBusError(int signal, siginfo_t* info, void* context) {
  const int slot = mapped_views::Find(info->si_addr);
  if (slot >= 0) {
    mapped_views::Slot& view = mapped_views::At(slot);
    void* start = reinterpret_cast<void*>(view.start.load());
    if (mmap(start, view.size.load(), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) ==
        start) {
      view.state.store(mapped_views::kReplaced);
      return;
    }
  }
  if (previousBusHandler.sa_flags & SA_SIGINFO) {
    if (previousBusHandler.sa_sigaction) previousBusHandler.sa_sigaction(signal, info, context);
  } else if (previousBusHandler.sa_handler != SIG_DFL && previousBusHandler.sa_handler != SIG_IGN) {
    previousBusHandler.sa_handler(signal);
  } else {
    // The default: returning repeats the fault, which now ends the process as it would have.
    ::signal(SIGBUS, SIG_DFL);
  }
}

void HandleBusErrors() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGBUS, &action, &previousBusHandler);
  });
}

}  // namespace

std::shared_ptr<MappedFile> MappedFile::Open(const std::string& path) {
  std::string ignored;
  long error = 0;
  const ReadHandle fd = OpenRegularFile(path, ReadSharing::kShared, ignored, error);
  if (fd == kNoReadHandle) return nullptr;
  struct stat status {};
  void* view = MAP_FAILED;
  if (fstat(static_cast<int>(fd), &status) == 0 && status.st_size > 0)
    view = mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ | PROT_WRITE, MAP_PRIVATE,
                static_cast<int>(fd), 0);
  CloseReadHandle(fd);  // the mapping keeps the file
  if (view == MAP_FAILED) return nullptr;
  const auto size = static_cast<std::size_t>(status.st_size);
  HandleBusErrors();
  const int slot = mapped_views::Register(static_cast<std::uint8_t*>(view), size);
  if (slot < 0) {
    munmap(view, size);
    return nullptr;
  }
  return std::shared_ptr<MappedFile>(new MappedFile(static_cast<std::uint8_t*>(view), size, slot));
}

MappedFile::~MappedFile() {
  mapped_views::Unregister(slot_);
  munmap(data_, size_);  // the file's pages or the zeros put in their place alike
}

const bool kMappingBeatsCopying = false;
