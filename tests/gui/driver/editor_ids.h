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
inline constexpr UINT kLanguage = 40060, kAlignLargeMap = 40061;
inline constexpr UINT kPasteScreenshot = 40063;
inline constexpr UINT kZoomIn = 40064, kZoomOut = 40065, kActualSize = 40066, kNewScene = 40067;
inline constexpr UINT kRecentFileFirst = 40070, kRecentFileLast = 40077;
inline constexpr UINT kPreviewAsExported = 40062;

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
inline constexpr int kPreviewLabel = 1023;  // the label above the image chooser's preview pane
// Crop dialog (109).
inline constexpr int kCropFileName = 1001, kCropPreview = 1015, kCropX = 1018, kCropY = 1025;
inline constexpr int kCropWidth = 1024, kCropHeight = 1023;
inline constexpr int kCropScale = 1031, kCropScaleUpDown = 1032;
// Colourize dialog (112).
inline constexpr int kColourizePreview = 1015, kColourizeGrey = 1026;
inline constexpr int kColourizeRed = 1023, kColourizeGreen = 1024, kColourizeBlue = 1025, kColourizeIntensity = 1027;
// SHP save settings dialog (107).
inline constexpr int kPaletteName = 1001, kPaletteBrowse = 1007, kColourCount = 1018, kExportProgress = 1017;
inline constexpr int kPaletteNew = 1010, kPaletteExisting = 1011, kPaletteNone = 1012;
inline constexpr int kQuantizer = 1040, kDither = 1041, kKeepIndex0 = 1042;
inline constexpr int kMixPack = 1043, kMixName = 1044, kMixBrowse = 1045;

// About dialog (103) and its link control.
inline constexpr int kReadme = 1001, kLink = 1003;
inline constexpr UINT kLinkSetTarget = WM_USER + 10;
}  // namespace ids

// The texts that are the same in both interface languages.
namespace texts {
inline constexpr wchar_t kTitle[] = L"Vantorel 1.11";
inline constexpr wchar_t kOpenImageCaption[] = L"Choose file to open";
inline constexpr wchar_t kProgramCaption[] = L"Vantorel";
inline constexpr wchar_t kErrorCaption[] = L"Error";
inline constexpr wchar_t kSideTemplateMissing[] = L"Can't find file!";
inline constexpr wchar_t kOpenSceneCaption[] = L"Open scene";
inline constexpr wchar_t kSaveSceneCaption[] = L"Save scene as";
inline constexpr wchar_t kSaveChangesQuestion[] =
    L"The screen has changes that are not saved.\nDo you want to save them first?";
inline constexpr wchar_t kSaveFailed[] = L"Error: Can't save the scene!\n";

// The texts of the interface language the run checks: set once by UseInterfaceLanguage
// before any scenario (the Chinese ones until then).
extern const wchar_t* kHint;
extern const wchar_t* kAddItemCaption;
extern const wchar_t* kSelectItemCaption;
extern const wchar_t* kCloseQuestion;
extern const wchar_t* kLoadScreenSettingsCaption;
extern const wchar_t* kCropCaption;
extern const wchar_t* kColourizeCaption;
extern const wchar_t* kCameoMissing;
extern const wchar_t* kCameoWrongSize;
extern const wchar_t* kScreenshotTooSmall;
extern const wchar_t* kCropQuestion;
extern const wchar_t* kNoScreenshot;
extern const wchar_t* kShpSaveCaption;
extern const wchar_t* kAboutCaption;
extern const wchar_t* kLinkLabel;
extern const wchar_t* kImageSaveError;
extern const wchar_t* kPreviewLabel;  // above the image chooser's preview pane
extern const wchar_t* kLanguageItem;  // the View item that switches to the other language
}  // namespace texts
