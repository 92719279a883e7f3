// A fresh folder under the system's temporary directory for tests that need files; it is
// removed with everything in it when the object goes.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("vantorel-settings-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Writes `bytes` exactly as given (no newline translation) and returns the file's path.
  std::string Write(const std::string& name, std::string_view bytes) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }
  std::string Path(const std::string& name) const { return (path_ / name).string(); }
  std::string Folder() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};
