#include <cerrno>
#include <cstring>

#include "system_error.h"

std::string ErrnoText(int code) { return std::strerror(code); }

long LastSystemError() { return errno; }

std::string SystemErrorText(long code) { return ErrnoText(static_cast<int>(code)); }
