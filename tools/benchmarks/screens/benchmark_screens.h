// The three screens the speed and quality figures are taken on, made here so that every
// machine measures the same pictures:
//   default      the default package's Allied screen, as it is;
//   flat         the same package with world maps of a few flat colours (a cartoon map);
//   high-colour  world maps and a screenshot of noisy plasma: nearly every pixel distinct.
// Each is a package folder (the default package with the maps replaced) and a scene file.
#pragma once

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "image_files.h"
#include "memory_image.h"

namespace benchmark_screens {

// A smooth colour field of overlapping waves plus per-pixel noise of +-10 levels.
inline Pixel Plasma(int x, int y, double scale, unsigned seed) {
  const double u = x / scale, v = y / scale;
  const double a = std::sin(u * 0.031 + seed) + std::sin(v * 0.043 + 0.7 * seed) + std::sin((u + v) * 0.017);
  const double b = std::sin(u * 0.023 - v * 0.029 + 1.3) + std::cos(std::hypot(u - 300, v - 200) * 0.021);
  const double c = std::sin(u * 0.011 + v * 0.037 + 2.1) + std::cos(u * 0.041 - 0.5);
  std::uint32_t h = static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u ^
                    seed * 83492791u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  auto channel = [&](double wave, int shift) {
    const int noise = static_cast<int>((h >> shift) % 21) - 10;
    const int value = static_cast<int>(128 + 40 * wave) + noise;
    return static_cast<unsigned>(value < 0 ? 0 : value > 255 ? 255 : value);
  };
  return MakePixel(channel(a, 0), channel(b, 8), channel(c, 16));
}

// Flat areas: the plasma's first wave cut into bands of one colour each.
inline Pixel Flat(int x, int y, double scale) {
  static const Pixel kColours[] = {0x1E3C78, 0x23468C, 0x2D5AA0, 0x3C6E3C, 0x507846, 0x6E8C50,
                                   0x8C8C5A, 0xA0966E, 0x8C6E50, 0x786450, 0xB4B4A0, 0xE6E6DC};
  const double u = x / scale, v = y / scale;
  const double wave = std::sin(u * 0.031) + std::sin(v * 0.043 + 0.7) + std::sin((u + v) * 0.017);
  int band = static_cast<int>((wave + 3) * 2);
  band = band < 0 ? 0 : band > 11 ? 11 : band;
  return kColours[band];
}

template <typename Colour>
bool FillImage(MemoryImage& image, int width, int height, Colour colour) {
  if (!image.Create(width, height)) return false;
  for (int y = 0; y < height; ++y) {
    Pixel* row = image.GetRow(y);
    for (int x = 0; x < width; ++x) row[x] = colour(x, y);
  }
  return true;
}

struct Screen {
  std::string name;
  std::string package;  // folder with Templates/ and Settings.ini
  std::string scene;    // scene file
};

// Writes the three screens under `folder` from the default package at `defaultPackage`.
// The replaced maps keep the default maps' sizes. Empty when anything failed.
inline std::vector<Screen> WriteScreens(const std::string& defaultPackage, const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<Screen> screens;
  std::error_code error;
  fs::create_directories(folder, error);
  MemoryImage map, map2x;
  if (!LoadImageFile((defaultPackage + "/Templates/all_worldmap.png").c_str(), map) ||
      !LoadImageFile((defaultPackage + "/Templates/com_worldmap2x.png").c_str(), map2x))
    return {};
  const int w = map.width, h = map.height, w2 = map2x.width, h2 = map2x.height;
  const std::string scene = "[LoadScreen]\nSide=Allied\nCameos=2\n";
  auto writeText = [](const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && ok;
  };
  screens.push_back({"default", defaultPackage, folder + "/default.ini"});
  if (!writeText(screens.back().scene, scene)) return {};
  for (const char* name : {"flat", "high-colour"}) {
    const bool flat = std::string(name) == "flat";
    const std::string package = folder + "/" + name;
    fs::remove_all(package, error);
    fs::copy(defaultPackage, package, fs::copy_options::recursive, error);
    if (error) return {};
    MemoryImage small, large, shot;
    auto colour = [flat](double scale, unsigned seed) {
      return [=](int x, int y) { return flat ? Flat(x, y, scale) : Plasma(x, y, scale, seed); };
    };
    if (!FillImage(small, w, h, colour(1.0, 1)) || !FillImage(large, w2, h2, colour(2.0, 1)) ||
        !FillImage(shot, 320, 300, colour(0.25, 7)))
      return {};
    if (!SaveImageFile((package + "/Templates/all_worldmap.png").c_str(), small) ||
        !SaveImageFile((package + "/Templates/com_worldmap2x.png").c_str(), large) ||
        !SaveImageFile((folder + "/" + name + "-shot.png").c_str(), shot))
      return {};
    screens.push_back({name, package, folder + "/" + name + ".ini"});
    if (!writeText(screens.back().scene, scene + "Screenshot=" + name + "-shot.png\n")) return {};
  }
  return screens;
}

}  // namespace benchmark_screens
