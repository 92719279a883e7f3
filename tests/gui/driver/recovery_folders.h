// The editor's recovery copies as the driver sees them: the folder of the Wine user's local
// application data where they live, and cleaning it so one scenario's killed editor does not
// leave a question for the next one.
#pragma once

#include <string>
#include <vector>

// "<local application data>\Vantorel\Recovery"; empty when unknown.
std::wstring RecoveryFolder();
// The names of the entries in it (copy folders, copies put aside).
std::vector<std::wstring> RecoveryEntries();
// Removes every entry (and the files in it).
void RemoveRecoveryCopies();
