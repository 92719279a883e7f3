// Tuning of the process's memory for the tool's short runs.
#pragma once

// Called first thing in main. On Linux, the heap is made to grow in large steps backed by
// huge pages: a run touches some ten megabytes of fresh pictures once, and faulting them
// in 4 KiB pages costs more than decoding them on a virtual machine. Elsewhere nothing.
void PrepareProcessMemory();
