// Where the recovery copies live and which editors still run: the system side of the
// recovery copies (folders under %LOCALAPPDATA%, process ids and start times).
#pragma once

#include <string>
#include <vector>

#include "recovery_record.h"

// "<local application data>\Vantorel\Recovery"; empty when the system does not say where
// that is.
std::string RecoveryRoot();
// This editor: its process id and start time.
EditorIdentity ThisEditor();
// True while the process with that id runs and started at that time (a process id alone
// may already belong to another program).
bool EditorRunning(const EditorIdentity& editor);
// The entries of a folder, without "." and "..".
std::vector<std::string> FolderEntries(const std::string& folder);
// Makes the folder and the folders above it that are missing. False when it still lacks.
bool MakeFolders(const std::string& folder);
// Removes the folder with the files in it (copies hold no sub-folders).
void RemoveCopyFolder(const std::string& folder);
// The local time now.
RecoveryTime LocalTimeNow();
