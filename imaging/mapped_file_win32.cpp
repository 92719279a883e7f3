#include "mapped_file.h"

#include <windows.h>

std::shared_ptr<MappedFile> MappedFile::Open(const std::string& path) {
  // Others may go on reading, replacing or removing the file meanwhile.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER size{};
  void* view = nullptr;
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
      static_cast<unsigned long long>(size.QuadPart) <= static_cast<unsigned long long>(SIZE_MAX)) {
    if (HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_WRITECOPY, 0, 0, nullptr)) {
      view = MapViewOfFile(mapping, FILE_MAP_COPY, 0, 0, 0);
      CloseHandle(mapping);  // the view keeps the mapping
    }
  }
  CloseHandle(file);
  if (!view) return nullptr;
  return std::shared_ptr<MappedFile>(
      new MappedFile(static_cast<std::uint8_t*>(view), static_cast<std::size_t>(size.QuadPart)));
}

MappedFile::~MappedFile() { UnmapViewOfFile(data_); }

const bool kMappingBeatsCopying = true;
