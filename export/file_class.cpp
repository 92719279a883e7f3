#include "file_class.h"

#include <cstring>

bool FileClass::SetName(const char* path) {
  std::size_t length = 0;
  if (!path) length = kMaxFileName;
  while (length < kMaxFileName && path[length] != '\0') ++length;
  if (length >= kMaxFileName) {
    hasName_ = 0;
    name_[0] = '\0';
    return false;
  }
  std::memcpy(name_, path, length + 1);
  hasName_ = 1;
  return true;
}

int FileClass::Open(int mode) {
  if (!hasName_) return 0;
  Close();
  handle_ = OpenHandle(mode);
  if (handle_ == kInvalidHandle) return 0;
  isOpen_ = 1;
  return 1;
}

int FileClass::Close() {
  if (isOpen_) {
    ReleaseHandle();
    handle_ = kInvalidHandle;
    isOpen_ = 0;
  }
  return 1;
}
