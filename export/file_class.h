// FileClass: one open file and its name, the way the program reads and writes whole files of
// its own (a palette, an SHP sprite, a description text).
//
// Invariants: the file is open exactly when the handle is valid; the object owns the handle
// and closes it when it goes (objects are not copied). The name is at most kMaxFileName - 1
// characters (259 in the Windows build, as long as the system allows elsewhere); a longer
// one is refused and leaves the object without a name.
//
// Failures come back as 0 from Open, Read, Write and Flush; nothing is shown to the user,
// and ErrorText says why the last one failed. The one exception: GetSize and Seek on a file
// that is not open throw FileNotOpenError, because calling them then is a programming
// mistake, not a condition of the disk; nothing catches it.
// The platform parts live in file_class_posix.cpp and file_class_win32.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "path_limits.h"

// What GetSize and Seek throw when no file is open.
class FileNotOpenError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

class FileClass {
 public:
  // The platform handle (a descriptor or a HANDLE), -1 while no file is open.
  using Handle = std::intptr_t;
  static constexpr Handle kInvalidHandle = -1;
  // Room for a name with its terminator: a Windows path buffer of 260 characters there.
  static constexpr std::size_t kMaxFileName = kPathBufferSize;
  // What GetSize gives when the system cannot tell the size.
  static constexpr std::uint64_t kUnknownSize = UINT64_MAX;

  // Open modes.
  enum Mode { kRead = 0, kWrite = 1, kReadWrite = 2 };

  FileClass() = default;
  explicit FileClass(const char* path) { SetName(path); }
  ~FileClass() { Close(); }
  FileClass(const FileClass&) = delete;
  FileClass& operator=(const FileClass&) = delete;

  // Copies the path as the name; an open file stays open. False (and no name kept) for a
  // null path or one of kMaxFileName characters or more.
  bool SetName(const char* path);

  // Opens the named file: 0 reads an existing file; 1 creates or empties a file for writing;
  // any other mode creates or empties one for reading and writing. A file already open is
  // closed first. Other openers are kept out while it is open where the system allows it
  // (Windows share mode 0). Returns 1, or 0 without a name or when the system refuses
  // (a missing file for mode 0, a missing folder, a folder given as the file). Mode 0 opens
  // a regular file only: a FIFO, a device or a socket is refused without waiting.
  int Open(int mode);

  // Reads / writes exactly `count` bytes at the current position. 0 without any call when
  // the file is not open, the buffer is null or count is 0; otherwise 1 only when all
  // `count` bytes were transferred (what was read before a short end stays in the buffer).
  // The file stays open either way.
  int Read(void* buffer, std::uint32_t count);
  int Write(const void* buffer, std::uint32_t count);
  // Makes what was written durable on the disk before the file is renamed or relied on.
  // 1, or 0 when the file is not open or the system refuses.
  int Flush();
  // Why the last Open, Read, Write or Flush failed, in the system's words ("Permission
  // denied", "No space left on device"; "the path is too long ..." for a refused name).
  std::string ErrorText() const;

  // The whole size of the open file in bytes, or kUnknownSize when the system cannot tell.
  // Throws FileNotOpenError when no file is open.
  std::uint64_t GetSize();
  // Moves the position by a signed distance from the start (origin 0), the end (origin 1)
  // or the current position (any other origin). Always 1; throws FileNotOpenError when no
  // file is open.
  int Seek(std::int32_t distance, int origin);
  // Closes the file if one is open. Always 1.
  int Close();

  // The name while a file is open, otherwise "Not-open".
  const char* GetName() const { return isOpen_ ? name_ : "Not-open"; }
  Handle GetHandle() const { return handle_; }
  bool IsOpen() const { return isOpen_ != 0; }

 private:
  Handle OpenHandle(int mode);
  // Mode 0 through the program's one way of opening a file to read (read_file.h): only a
  // regular file, never waiting for a FIFO's writer.
  Handle OpenForReading();
  void ReleaseHandle();
  int Fail();
  int isOpen_ = 0;
  long lastError_ = 0;
  std::string refusal_;  // why Open(0) refused a file by its type, when it did
  std::string refusedName_;
  int hasName_ = 0;
  Handle handle_ = kInvalidHandle;
  char name_[kMaxFileName] = {};
};

// Whether each of two files reached the disk.
struct FlushResults {
  bool first = true;
  bool second = true;
};

// Flushes the open ones of two files at the same time, the second on a thread of its own
// (one after the other when no thread can be started): the waits for the disk overlap.
// A file that is not open counts as flushed.
FlushResults FlushSideBySide(FileClass& first, FileClass& second);
