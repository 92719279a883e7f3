// The keys of a scene file's [LoadScreen] section: one table for the reader, which refuses
// any other key, and the writer, which writes them in this order (the screenshot's crop and
// scale keys are only ever read: a written screenshot is already cropped).
#pragma once

#include <string>

namespace scene_key {
inline constexpr char kSection[] = "LoadScreen";
inline constexpr char kMarkersSection[] = "Markers";
inline constexpr char kSide[] = "Side";
inline constexpr char kCameos[] = "Cameos";
inline constexpr char kScreenshot[] = "Screenshot";
inline constexpr char kScreenshotCrop[] = "ScreenshotCrop";
inline constexpr char kScreenshotScale[] = "ScreenshotScale";
inline constexpr char kScreenshotColour[] = "ScreenshotColour";
inline constexpr char kScreenshotIntensity[] = "ScreenshotIntensity";
inline constexpr char kSmallMapOffset[] = "SmallMapOffset";
inline constexpr char kLargeMapOffset[] = "LargeMapOffset";
inline constexpr char kTargetBoxY[] = "TargetBoxY";
inline constexpr char kUpperLayer[] = "UpperLayer";
inline constexpr char kLowerLayer[] = "LowerLayer";

// The words of values, as written (read in any case).
inline constexpr char kGrey[] = "grey";  // ScreenshotColour
inline constexpr char kYes[] = "yes";    // UpperLayer, LowerLayer
inline constexpr char kNo[] = "no";
inline constexpr char kSelected[] = "selected";  // a marker's fifth field

// "Cameo1".."Cameo3" for slots 0..2.
inline std::string Cameo(int slot) { return "Cameo" + std::to_string(slot + 1); }

// Every key [LoadScreen] may hold.
inline constexpr const char* kAll[] = {
    kSide,           kCameos,         "Cameo1",         "Cameo2",          "Cameo3",
    kScreenshot,     kScreenshotCrop, kScreenshotScale, kScreenshotColour, kScreenshotIntensity,
    kSmallMapOffset, kLargeMapOffset, kTargetBoxY,      kUpperLayer,       kLowerLayer};
}  // namespace scene_key
