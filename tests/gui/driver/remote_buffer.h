// RemoteBuffer: a block of memory inside another process (VirtualAllocEx), for control
// messages whose pointer argument Wine does not marshal across processes (SB_GETTEXTW,
// SB_GETPARTS). Freed by the destructor.
#pragma once

#include <windows.h>

#include <cstddef>

class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, std::size_t size);
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  ~RemoteBuffer();

  bool valid() const { return address_ != nullptr; }
  void* address() const { return address_; }
  bool Read(void* out, std::size_t size) const;
  bool Write(const void* data, std::size_t size) const;

 private:
  HANDLE process_;
  void* address_;
  std::size_t size_;
};
