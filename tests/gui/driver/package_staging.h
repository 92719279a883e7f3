// Package variants for the failure scenarios, made under the scratch folder from the staged
// package. Every function reports failure with false and a message; an existing variant
// folder is replaced, so a second run starts clean.
#pragma once

#include <string>
#include <vector>

// Makes `target` a copy of the package in `source`: the editor and, when withTemplates,
// the Templates folder, and, when withSettings, Settings.ini.
bool CopyPackage(const std::wstring& source, const std::wstring& target, bool withTemplates, bool withSettings,
                 std::string& error);
// Copies only the named files of source\Templates into target\Templates.
bool CopyTemplates(const std::wstring& source, const std::wstring& target, const std::vector<std::wstring>& files,
                   std::string& error);
bool RemoveFileIn(const std::wstring& folder, const std::wstring& relativePath, std::string& error);
bool WriteFileIn(const std::wstring& folder, const std::wstring& relativePath, const std::string& content,
                 std::string& error);
// The whole content of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);
