#include "package_staging.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "wide_text.h"

namespace fs = std::filesystem;

namespace {
bool Failed(const std::error_code& code, const std::string& what, std::string& error) {
  if (!code) return false;
  error = what + ": " + code.message();
  return true;
}
}  // namespace

bool CopyPackage(const std::wstring& source, const std::wstring& target, bool withTemplates, bool withSettings,
                 std::string& error) {
  std::error_code code;
  fs::remove_all(target, code);
  fs::create_directories(target, code);
  if (Failed(code, "cannot create " + Utf8(target), error)) return false;
  fs::copy_file(fs::path(source) / L"Vantorel.exe", fs::path(target) / L"Vantorel.exe", code);
  if (Failed(code, "cannot copy Vantorel.exe", error)) return false;
  if (withTemplates) {
    fs::copy(fs::path(source) / L"Templates", fs::path(target) / L"Templates", fs::copy_options::recursive, code);
    if (Failed(code, "cannot copy Templates", error)) return false;
  }
  if (withSettings) {
    fs::copy_file(fs::path(source) / L"Settings.ini", fs::path(target) / L"Settings.ini", code);
    if (Failed(code, "cannot copy Settings.ini", error)) return false;
  }
  return true;
}

bool CopyTemplates(const std::wstring& source, const std::wstring& target, const std::vector<std::wstring>& files,
                   std::string& error) {
  std::error_code code;
  fs::create_directories(fs::path(target) / L"Templates", code);
  if (Failed(code, "cannot create the Templates folder", error)) return false;
  for (const std::wstring& file : files) {
    fs::copy_file(fs::path(source) / L"Templates" / file, fs::path(target) / L"Templates" / file,
                  fs::copy_options::overwrite_existing, code);
    if (Failed(code, "cannot copy Templates\\" + Utf8(file), error)) return false;
  }
  return true;
}

bool RemoveFileIn(const std::wstring& folder, const std::wstring& relativePath, std::string& error) {
  std::error_code code;
  if (!fs::remove(fs::path(folder) / relativePath, code) && !code)
    code = std::make_error_code(std::errc::no_such_file_or_directory);
  return !Failed(code, "cannot remove " + Utf8(relativePath), error);
}

bool WriteFileIn(const std::wstring& folder, const std::wstring& relativePath, const std::string& content,
                 std::string& error) {
  std::ofstream file(fs::path(folder) / relativePath, std::ios::binary | std::ios::trunc);
  file << content;
  file.close();
  if (!file) {
    error = "cannot write " + Utf8(relativePath);
    return false;
  }
  return true;
}

std::string ReadWholeFile(const std::wstring& path) {
  std::ifstream in(fs::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
