// Opening files to read them, and reading a whole file into memory with an upper bound on its
// size, so that a reader never trusts a file to be small or to be a file. Failures come back
// with a reason for the user.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Fills `bytes` with the file's content. False with `reason` set when the path is too long,
// names a folder ("it is a folder") or something else that is not a regular file, such as a
// FIFO or a device ("it is not a regular file"; see OpenRegularFile below), cannot be opened
// or read (the system's words), or holds more than `maxBytes` bytes ("the file is larger
// than ... bytes", told from its size before anything is read); `bytes` is then empty.
bool ReadFileContents(const std::string& path, std::uint64_t maxBytes, std::vector<std::uint8_t>& bytes,
                      std::string& reason);

// Every file the program reads is opened here: a regular file only, and never in a way that
// waits. Opening a FIFO for reading waits for a writer that may never come, and a device
// such as /dev/zero never ends; a folder is no file to read either. Each is refused by its
// type from the path before anything is opened (a device is never opened at all), and again
// from the open handle, since the path may change in between and under Wine a FIFO shows
// its type only there. The platform parts are regular_file_posix.cpp and _win32.cpp.

// Whether others may open the file for writing while it is open (Windows share modes; POSIX
// has none): kExclusive keeps every other opener out, kShared lets them read, write, rename
// and delete.
enum class ReadSharing { kShared, kExclusive };

// A descriptor on POSIX, a HANDLE on Windows.
using ReadHandle = std::intptr_t;
inline constexpr ReadHandle kNoReadHandle = -1;

// Opens `path` for reading. On failure kNoReadHandle, with `reason` set ("it is a folder",
// "it is not a regular file", or the system's words) and `systemError` the system's code
// for the failed open (0 for a refusal by type).
ReadHandle OpenRegularFile(const std::string& path, ReadSharing sharing, std::string& reason, long& systemError);
void CloseReadHandle(ReadHandle handle);

// The same as a C stream for binary reading, shared, which the caller closes with fclose;
// null with `reason` on failure.
std::FILE* OpenRegularFileStream(const std::string& path, std::string& reason);

// Why `path` cannot be opened for reading as a regular file, or empty: it is opened as above
// and closed again. For a reader that then opens the file its own way.
std::string RegularFileProblem(const std::string& path);

// The refusal by type from the path alone, without opening anything: "it is a folder", "it is
// not a regular file", or empty (also for a missing path, which the open then reports). For
// telling that something lies at a path without opening it.
std::string FileTypeProblem(const std::string& path);
