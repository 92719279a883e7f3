// A throw-away template package in a temporary folder, with small images of known sizes.
#pragma once

#include <filesystem>
#include <string>

#include "image_files.h"
#include "load_screen_document.h"
#include "memory_image.h"
#include "temp_folder.h"

class TestPackage {
 public:
  TestPackage() : root_(folder_.Folder()) { std::filesystem::create_directories(root_ / "Templates"); }

  // appDir for a document: the folder with a trailing separator.
  std::string AppDir() const { return root_.string() + kPathSeparator; }
  std::string Root() const { return root_.string(); }

  void Write(const std::string& file, int w, int h, Pixel colour) const {
    MemoryImage image;
    image.Create(w, h);
    image.Fill(colour);
    SaveImageFile((root_ / "Templates" / file).string().c_str(), image);
  }
  void Remove(const std::string& file) const { std::filesystem::remove(root_ / "Templates" / file); }

  // The common files and every side's map and frames; maps of 1000 x 600 (2x: 2000 x 1200).
  void WriteComplete() const {
    Write("com_largetargetbox.png", 295, 289, 0x505050);
    Write("com_smalltargetbox.png", 40, 40, 0xE0E0E0);
    Write("com_worldmap2x.png", 600, 600, 0x203040);
    int shade = 0;
    for (const char* prefix : {"all", "sov", "psy"}) {
      ++shade;
      Write(std::string(prefix) + "_worldmap.png", 1000, 600, static_cast<Pixel>(shade));
      Write(std::string(prefix) + "_2icomain.png", 800, 520, static_cast<Pixel>(0x100 * shade));
      Write(std::string(prefix) + "_3icomain.png", 800, 520, static_cast<Pixel>(0x10000 * shade));
    }
  }

 private:
  TempFolder folder_;
  std::filesystem::path root_;
};
