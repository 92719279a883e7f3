#include <windows.h>

#include <mutex>

#include "mapped_file.h"
#include "mapped_views.h"
#include "read_file.h"

namespace {

// Puts zero-filled memory where the view was. Unmapping and allocating are two steps, so one
// thread does it while any other that faults on the view meanwhile waits for it.
bool ReplaceWithZeros(mapped_views::Slot& view) {
  int expected = mapped_views::kLive;
  if (view.state.compare_exchange_strong(expected, mapped_views::kReplacing)) {
    void* start = reinterpret_cast<void*>(view.start.load());
    const std::size_t size = view.size.load();
    UnmapViewOfFile(start);
    void* fresh = VirtualAlloc(start, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (fresh && fresh != start) VirtualFree(fresh, 0, MEM_RELEASE);
    view.state.store(fresh == start ? mapped_views::kReplaced : mapped_views::kLost);
  }
  while (view.state.load() == mapped_views::kReplacing) Sleep(0);
  return view.state.load() == mapped_views::kReplaced;
}

// A read past the end of a mapped file that another process shortened: Windows reports an
// in-page error; Wine, where a Linux program can shorten a file that Windows would keep
// whole while mapped, an access violation. Either at an address inside one of our views
// gets zeros there, and the read is tried again.
LONG CALLBACK OnViewFault(EXCEPTION_POINTERS* fault) {
  const EXCEPTION_RECORD& record = *fault->ExceptionRecord;
  if ((record.ExceptionCode != EXCEPTION_IN_PAGE_ERROR && record.ExceptionCode != EXCEPTION_ACCESS_VIOLATION) ||
      record.NumberParameters < 2)
    return EXCEPTION_CONTINUE_SEARCH;
  const int slot = mapped_views::Find(reinterpret_cast<const void*>(record.ExceptionInformation[1]));
  if (slot < 0 || !ReplaceWithZeros(mapped_views::At(slot))) return EXCEPTION_CONTINUE_SEARCH;
  return EXCEPTION_CONTINUE_EXECUTION;
}

void HandleViewFaults() {
  static std::once_flag installed;
  std::call_once(installed, [] { AddVectoredExceptionHandler(1, OnViewFault); });
}

}  // namespace

std::shared_ptr<MappedFile> MappedFile::Open(const std::string& path) {
  // Others may go on reading, replacing or removing the file meanwhile.
  std::string ignored;
  long error = 0;
  const ReadHandle file = OpenRegularFile(path, ReadSharing::kShared, ignored, error);
  if (file == kNoReadHandle) return nullptr;
  LARGE_INTEGER size{};
  void* view = nullptr;
  if (GetFileSizeEx(reinterpret_cast<HANDLE>(file), &size) && size.QuadPart > 0 &&
      static_cast<unsigned long long>(size.QuadPart) <= static_cast<unsigned long long>(SIZE_MAX)) {
    if (HANDLE mapping = CreateFileMappingA(reinterpret_cast<HANDLE>(file), nullptr, PAGE_WRITECOPY, 0, 0, nullptr)) {
      view = MapViewOfFile(mapping, FILE_MAP_COPY, 0, 0, 0);
      CloseHandle(mapping);  // the view keeps the mapping
    }
  }
  CloseReadHandle(file);
  if (!view) return nullptr;
  HandleViewFaults();
  const int slot = mapped_views::Register(static_cast<std::uint8_t*>(view), static_cast<std::size_t>(size.QuadPart));
  if (slot < 0) {
    UnmapViewOfFile(view);
    return nullptr;
  }
  return std::shared_ptr<MappedFile>(
      new MappedFile(static_cast<std::uint8_t*>(view), static_cast<std::size_t>(size.QuadPart), slot));
}

MappedFile::~MappedFile() {
  switch (mapped_views::Unregister(slot_)) {
    case mapped_views::kReplaced: VirtualFree(data_, 0, MEM_RELEASE); break;
    case mapped_views::kLost: break;  // nothing of ours is left there
    default: UnmapViewOfFile(data_); break;
  }
}

const bool kMappingBeatsCopying = true;
