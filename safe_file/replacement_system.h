// The platform primitives under file_replacement.cpp. Each reports failure by false with
// the system's words in `reason`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace replacement_system {

using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

// Creates a new file for writing; fails when something exists at the path.
bool CreateNew(const std::string& path, Handle& handle, std::string& reason);
bool WriteAll(Handle handle, const void* data, std::size_t size, std::string& reason);
// Flushes the file's data to the disk, then closes it (closed on failure too).
bool FlushAndClose(Handle handle, std::string& reason);
void Close(Handle handle);

// Renames `from` over `to`, replacing what is there.
bool MoveOver(const std::string& from, const std::string& to, std::string& reason);
// Replaces the existing file `to` by `from` while its old content stays reachable at
// `backup`; `to` is present at every instant. `step` runs after each change on the disk.
bool MoveOverKeepingBackup(const std::string& from, const std::string& to, const std::string& backup,
                           std::string& reason, const std::function<void()>& step);
void RemoveQuietly(const std::string& path);
// Makes the renames in a folder durable where the system needs that asked for (POSIX).
void SyncFolder(const std::string& folder);

// This process's id, and whether the process of an id is still running (true when that
// cannot be told, so that nothing of a live run is ever removed).
unsigned long CurrentProcessId();
bool ProcessIsRunning(unsigned long processId);

// Held while a group of files is committed, so that two runs writing the same targets put
// theirs in place one after the other, never interleaved. Taken on the folder of `target`;
// released when the process ends in any way. Waits for another holder; kNoHandle when no
// lock can be had (a folder that cannot be opened), and the commit goes on without.
Handle LockFolderOf(const std::string& target, const std::string& folder);
void Unlock(Handle lock);

}  // namespace replacement_system
