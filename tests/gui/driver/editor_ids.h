// The editor's resource ids and fixed texts, as the user sees them. Kept apart from the
// editor's own resource header on purpose: the driver checks the program against these.
#pragma once

#include <windows.h>

namespace ids {
// Menu commands.
inline constexpr UINT kOpenScene = 40050, kSaveScene = 40051, kSaveSceneAs = 40052;
inline constexpr UINT kUndo = 40053, kRedo = 40054;
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

// Load screen settings dialog (104).
inline constexpr int kScreenshotName = 1001, kScreenshotBrowse = 1007;
inline constexpr int kCameoCombos[3] = {1004, 1005, 1006};
inline constexpr int kCameoCount2 = 1010, kCameoCount3 = 1011;
inline constexpr int kSideAllied = 1012, kSideSoviet = 1013, kSideYuri = 1014;
// The system open dialog's file-name field (cmb13) and the preview pane of template 108.
inline constexpr int kFileNameField = 0x47C;
inline constexpr wchar_t kImagePreviewClass[] = L"ImagePreview";
// Crop dialog (109).
inline constexpr int kCropFileName = 1001, kCropPreview = 1015, kCropX = 1018, kCropY = 1025;
inline constexpr int kCropWidth = 1024, kCropHeight = 1023;
// Colourize dialog (112).
inline constexpr int kColourizePreview = 1015, kColourizeGrey = 1026;
inline constexpr int kColourizeRed = 1023, kColourizeGreen = 1024, kColourizeBlue = 1025, kColourizeIntensity = 1027;
// SHP save settings dialog (107).
inline constexpr int kPaletteName = 1001, kPaletteBrowse = 1007, kColourCount = 1018, kExportProgress = 1017;
inline constexpr int kPaletteNew = 1010, kPaletteExisting = 1011, kPaletteNone = 1012;
inline constexpr int kQuantizer = 1040, kDither = 1041;

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
inline constexpr wchar_t kLoadScreenSettingsCaption[] = L"加载屏幕设定";
inline constexpr wchar_t kOpenImageCaption[] = L"Choose file to open";
inline constexpr wchar_t kCropCaption[] = L"载图器";
inline constexpr wchar_t kColourizeCaption[] = L"Screen shot settings";
inline constexpr wchar_t kProgramCaption[] = L"Vantorel";
inline constexpr wchar_t kErrorCaption[] = L"Error";
inline constexpr wchar_t kCameoMissing[] = L"Error: Can't find file!";
inline constexpr wchar_t kCameoWrongSize[] = L"Error: This file isn't valid icon file\nImage size must be 76x60";
inline constexpr wchar_t kSideTemplateMissing[] = L"Can't find file!";
inline constexpr wchar_t kScreenshotTooSmall[] = L"Error: Size of image is less than 234x232\nPlease select another image.";
inline constexpr wchar_t kCropQuestion[] = L"Size of image isn't 234x232.Do you want to crop this image?";
inline constexpr wchar_t kNoScreenshot[] = L"Please select screenshot in the load screen settings dialog";
inline constexpr wchar_t kOpenSceneCaption[] = L"Open scene";
inline constexpr wchar_t kSaveSceneCaption[] = L"Save scene as";
inline constexpr wchar_t kSaveChangesQuestion[] =
    L"The screen has changes that are not saved.\nDo you want to save them first?";
inline constexpr wchar_t kSaveFailed[] = L"Error: Can't save the scene!\n";
inline constexpr wchar_t kShpSaveCaption[] = L"SHP 保存配置";
inline constexpr wchar_t kAboutCaption[] = L"关于 Vantorel";
inline constexpr wchar_t kLinkLabel[] = L"更新进度";
inline constexpr wchar_t kImageSaveError[] = L"Error: Can't save the image file!";
}  // namespace texts
