// The system's own words for a failed operation, for messages that say why
// ("No such file or directory", "Permission denied", "No space left on device").
// The platform parts live in system_error_posix.cpp and system_error_win32.cpp.
#pragma once

#include <string>

// The text of a C runtime error number (errno), without a trailing period.
std::string ErrnoText(int code);
// The calling thread's last system error code: errno on POSIX, GetLastError on Windows
// (for the Win32 calls). Read it right after the failed call.
long LastSystemError();
// The text of such a code.
std::string SystemErrorText(long code);
inline std::string LastSystemErrorText() { return SystemErrorText(LastSystemError()); }
