// Reading a whole file into memory with an upper bound on its size, so that a reader never
// trusts a file to be small. Failures come back with a reason for the user.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Fills `bytes` with the file's content. False with `reason` set when the path is too long,
// names a folder ("it is a folder") or something else that is not a regular file, such as a
// FIFO or a device ("it is not a regular file", found without opening it), cannot be opened or read (the system's words), or holds
// more than `maxBytes` bytes ("the file is larger than ... bytes"); `bytes` is then empty.
bool ReadFileContents(const std::string& path, std::uint64_t maxBytes, std::vector<std::uint8_t>& bytes,
                      std::string& reason);

// "it is a folder" when `path` names a folder, otherwise empty.
std::string FolderProblem(const std::string& path);

// "it is not a regular file" when `path` names a FIFO, a device or a socket, otherwise empty.
std::string SpecialFileProblem(const std::string& path);
