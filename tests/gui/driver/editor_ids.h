// The editor's resource ids and fixed texts, as the user sees them. Kept apart from the
// editor's own resource header on purpose: the driver checks the program against these.
#pragma once

#include <windows.h>

namespace ids {
// Menu commands.
inline constexpr UINT kSaveShp = 40038, kSaveImage = 40004, kExit = 40003;
inline constexpr UINT kAddItem = 40023, kSelectItem = 40025, kDeleteItem = 40029, kCancelItem = 40028;
inline constexpr UINT kCopyToClipboard = 40041;
inline constexpr UINT kUpperLayer = 40020, kLowerLayer = 40021, kStatusBar = 40045;
inline constexpr UINT kLoadScreenSettings = 40030, kScreenshotSettings = 40043;
inline constexpr UINT kModeSmallMap = 40034, kModeLargeMap = 40035, kModeTargetBox = 40036;
inline constexpr UINT kHelp = 40037, kAbout = 40013;

// Add-item dialog (105) and select-item dialog (106).
inline constexpr int kListBox = 1008;
inline constexpr int kRadioBlue = 1010, kRadioRed = 1011, kRadioPurpure = 1012;
inline constexpr int kPreview = 1015;

// SHP save settings dialog (107).
inline constexpr int kPaletteName = 1001, kPaletteBrowse = 1007, kColourCount = 1018, kExportProgress = 1017;
inline constexpr int kPaletteNew = 1010, kPaletteExisting = 1011, kPaletteNone = 1012;

// About dialog (103) and its link control.
inline constexpr int kReadme = 1001, kLink = 1003;
inline constexpr UINT kLinkSetTarget = WM_USER + 10;
}  // namespace ids

namespace texts {
inline constexpr wchar_t kTitle[] = L"Vantorel 1.11";
inline constexpr wchar_t kHint[] =
    L"Press CTRL to move map faster(5x) or press CTRL+SHIFT to move map faster (10x)";
inline constexpr wchar_t kAddItemCaption[] = L"加入新的项目";
inline constexpr wchar_t kSelectItemCaption[] = L"选择项目";
inline constexpr wchar_t kCloseQuestion[] = L"Do you want to close Vantorel now?\nAll data won't be saved!";
inline constexpr wchar_t kShpSaveCaption[] = L"SHP 保存配置";
inline constexpr wchar_t kAboutCaption[] = L"关于 Vantorel";
inline constexpr wchar_t kLinkLabel[] = L"更新进度";
inline constexpr wchar_t kImageSaveError[] = L"Error: Can't save the image file!";
}  // namespace texts
