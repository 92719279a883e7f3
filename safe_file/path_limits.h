// How long a path the program handles. The Windows build keeps the classic path buffers of
// 260 characters with the terminator; elsewhere a path may be as long as the system allows
// (PATH_MAX, 4096 with the terminator on Linux), and the system itself refuses longer ones.
#pragma once

#include <cstddef>
#include <string>

#ifdef _WIN32
inline constexpr std::size_t kMaxPathLength = 259;
#else
inline constexpr std::size_t kMaxPathLength = 4095;
#endif
// A path buffer with room for the terminator.
inline constexpr std::size_t kPathBufferSize = kMaxPathLength + 1;

// Empty when `path` fits, otherwise the reason, naming the length as the cause:
// "the path is 300 characters long, more than the 259 Windows allows".
std::string PathLengthProblem(const std::string& path);
