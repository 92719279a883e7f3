#include <windows.h>

#include "file_class.h"

namespace {
HANDLE AsHandle(FileClass::Handle handle) { return reinterpret_cast<HANDLE>(handle); }
}  // namespace

FileClass::Handle FileClass::OpenHandle(int mode) {
  if (mode == kRead) return OpenForReading();
  const DWORD access = mode == kWrite ? GENERIC_WRITE : GENERIC_READ | GENERIC_WRITE;
  const DWORD disposition = CREATE_ALWAYS;
  // Share mode 0: nobody else opens the file while it is ours.
  const HANDLE handle = CreateFileA(name_, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return Fail(), kInvalidHandle;
  return reinterpret_cast<Handle>(handle);
}

void FileClass::ReleaseHandle() { ::CloseHandle(AsHandle(handle_)); }

int FileClass::Read(void* buffer, std::uint32_t count) {
  if (!isOpen_ || !buffer || count == 0) return 0;
  DWORD got = 0;
  if (!ReadFile(AsHandle(handle_), buffer, count, &got, nullptr)) return Fail();
  if (got == count) return 1;
  lastError_ = ERROR_HANDLE_EOF;
  return 0;
}

int FileClass::Write(const void* buffer, std::uint32_t count) {
  if (!isOpen_ || !buffer || count == 0) return 0;
  DWORD put = 0;
  if (!WriteFile(AsHandle(handle_), buffer, count, &put, nullptr)) return Fail();
  if (put == count) return 1;
  lastError_ = ERROR_DISK_FULL;
  return 0;
}

int FileClass::Flush() {
  if (!isOpen_) return 0;
  return FlushFileBuffers(AsHandle(handle_)) ? 1 : Fail();
}

std::uint64_t FileClass::GetSize() {
  if (!isOpen_) throw FileNotOpenError("FileClass::GetSize on a file that is not open");
  LARGE_INTEGER size;
  if (!GetFileSizeEx(AsHandle(handle_), &size) || size.QuadPart < 0) return kUnknownSize;
  return static_cast<std::uint64_t>(size.QuadPart);
}

int FileClass::Seek(std::int32_t distance, int origin) {
  if (!isOpen_) throw FileNotOpenError("FileClass::Seek on a file that is not open");
  const DWORD method = origin == 0 ? FILE_BEGIN : origin == 1 ? FILE_END : FILE_CURRENT;
  SetFilePointer(AsHandle(handle_), distance, nullptr, method);
  return 1;
}
