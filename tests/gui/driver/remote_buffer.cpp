#include "remote_buffer.h"

RemoteBuffer::RemoteBuffer(HANDLE process, std::size_t size)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
      size_(size) {}

RemoteBuffer::~RemoteBuffer() {
  if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteBuffer::Read(void* out, std::size_t size) const {
  SIZE_T done = 0;
  return address_ && size <= size_ && ReadProcessMemory(process_, address_, out, size, &done) && done == size;
}

bool RemoteBuffer::Write(const void* data, std::size_t size) const {
  SIZE_T done = 0;
  return address_ && size <= size_ && WriteProcessMemory(process_, address_, data, size, &done) && done == size;
}
