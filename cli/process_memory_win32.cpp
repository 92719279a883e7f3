#include "process_memory.h"

void PrepareProcessMemory() {}
