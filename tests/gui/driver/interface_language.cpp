#include "interface_language.h"

#include <windows.h>
#include <shlobj.h>

#include "editor_ids.h"
#include "package_staging.h"

namespace texts {
const wchar_t* kHint = nullptr;
const wchar_t* kAddItemCaption = nullptr;
const wchar_t* kSelectItemCaption = nullptr;
const wchar_t* kCloseQuestion = nullptr;
const wchar_t* kLoadScreenSettingsCaption = nullptr;
const wchar_t* kCropCaption = nullptr;
const wchar_t* kColourizeCaption = nullptr;
const wchar_t* kCameoMissing = nullptr;
const wchar_t* kCameoWrongSize = nullptr;
const wchar_t* kScreenshotTooSmall = nullptr;
const wchar_t* kCropQuestion = nullptr;
const wchar_t* kNoScreenshot = nullptr;
const wchar_t* kShpSaveCaption = nullptr;
const wchar_t* kAboutCaption = nullptr;
const wchar_t* kLinkLabel = nullptr;
const wchar_t* kImageSaveError = nullptr;
const wchar_t* kPreviewLabel = nullptr;
const wchar_t* kLanguageItem = nullptr;
}  // namespace texts

namespace {

DriverLanguage runLanguage = DriverLanguage::Chinese;

struct Texts {
  const wchar_t** target;
  const wchar_t* chinese;
  const wchar_t* english;
};

const Texts kTexts[] = {
    {&texts::kHint, L"Press CTRL to move map faster(5x) or press CTRL+SHIFT to move map faster (10x)",
     L"Arrow keys move by 1 pixel: Shift 2, Ctrl 5, Ctrl+Shift 10"},
    {&texts::kAddItemCaption, L"加入新的项目", L"Add New Item"},
    {&texts::kSelectItemCaption, L"选择项目", L"Select Item"},
    {&texts::kCloseQuestion, L"保存对 无标题 的更改吗?", L"Save changes to Untitled?"},
    {&texts::kLoadScreenSettingsCaption, L"加载屏幕设定", L"Load Screen Settings"},
    {&texts::kCropCaption, L"载图器", L"Crop Screenshot"},
    {&texts::kColourizeCaption, L"Screen shot settings", L"Screenshot Settings"},
    {&texts::kCameoMissing, L"Error: Can't find file!", L"The cameo picture cannot be found."},
    {&texts::kCameoWrongSize, L"Error: This file isn't valid icon file\nImage size must be 76x60",
     L"This file is not a valid cameo picture.\nA cameo must be 76 x 60 pixels."},
    {&texts::kScreenshotTooSmall, L"Error: Size of image is less than 234x232\nPlease select another image.",
     L"The picture is smaller than 234 x 232 pixels.\nPlease choose another picture."},
    {&texts::kCropQuestion, L"Size of image isn't 234x232.Do you want to crop this image?",
     L"The picture is not 234 x 232 pixels. Do you want to crop it?"},
    {&texts::kNoScreenshot, L"Please select screenshot in the load screen settings dialog",
     L"There is no screenshot yet. Choose one in Load screen settings first."},
    {&texts::kShpSaveCaption, L"SHP 保存配置", L"SHP Save Settings"},
    {&texts::kAboutCaption, L"关于 Vantorel", L"About Vantorel"},
    {&texts::kLinkLabel, L"更新进度", L"Updates and news"},
    {&texts::kImageSaveError, L"Error: Can't save the image file!", L"The image could not be saved."},
    {&texts::kPreviewLabel, L"查看:", L"Preview:"},
    {&texts::kLanguageItem, L"English", L"中文"},
};

const std::vector<MenuCaptions> kChineseMenu = {
    {"file", {{0, true, L"文件"}, {ids::kNewScene, false, L"新建\tCtrl+N"},
              {ids::kSaveShp, false, L"另存 SHP..."}, {ids::kSaveImage, false, L"保存 as..."},
              {ids::kExit, false, L"退出"}}},
    {"edit", {{1, true, L"编辑"}, {ids::kAddItem, false, L"加入新的项目..."}, {ids::kSelectItem, false, L"选择项目..."},
              {ids::kDeleteItem, false, L"删除项目"}, {ids::kCancelItem, false, L"取消项目"},
              {ids::kCopyToClipboard, false, L"复制到剪切板"},
              {ids::kPasteScreenshot, false, L"粘贴载图"}}},
    {"view", {{2, true, L"查看"}, {ids::kUpperLayer, false, L"视图上面"}, {ids::kLowerLayer, false, L"视图下面"},
              {ids::kZoomIn, false, L"放大	Ctrl++"}, {ids::kZoomOut, false, L"缩小	Ctrl+-"},
              {ids::kActualSize, false, L"实际大小	Ctrl+0"}, {ids::kStatusBar, false, L"状态条"},
              {ids::kPreviewAsExported, false, L"按导出预览"}, {ids::kLanguage, false, L"English"}}},
    {"tools", {{3, true, L"工具"}, {ids::kLoadScreenSettings, false, L"加载屏幕设定..."},
               {ids::kScreenshotSettings, false, L"载图设定..."}, {ids::kAlignLargeMap, false, L"对齐放大地图"}}},
    {"mode", {{4, true, L"模式"}, {ids::kModeSmallMap, false, L"缩小 map"}, {ids::kModeLargeMap, false, L"放大 map"},
              {ids::kModeTargetBox, false, L"目标移动"}}},
    {"help", {{5, true, L"帮助"}, {ids::kHelp, false, L"帮助"}, {ids::kAbout, false, L"关于公司"}}},
};

const std::vector<MenuCaptions> kEnglishMenu = {
    {"file", {{0, true, L"&File"}, {ids::kNewScene, false, L"&New\tCtrl+N"},
              {ids::kOpenScene, false, L"&Open...\tCtrl+O"}, {ids::kSaveScene, false, L"&Save\tCtrl+S"},
              {ids::kSaveSceneAs, false, L"Save &as..."}, {ids::kSaveShp, false, L"Save as S&HP..."},
              {ids::kSaveImage, false, L"Save as &image..."}, {ids::kExit, false, L"E&xit"}}},
    {"edit", {{1, true, L"&Edit"}, {ids::kUndo, false, L"&Undo\tCtrl+Z"}, {ids::kRedo, false, L"&Redo\tCtrl+Y"},
              {ids::kAddItem, false, L"&Add new item..."}, {ids::kSelectItem, false, L"&Select item..."},
              {ids::kDeleteItem, false, L"&Delete item"}, {ids::kCancelItem, false, L"&Cancel selection"},
              {ids::kCopyToClipboard, false, L"C&opy to clipboard"},
              {ids::kPasteScreenshot, false, L"&Paste screenshot\tCtrl+V"}}},
    {"view", {{2, true, L"&View"}, {ids::kUpperLayer, false, L"&Upper layer"}, {ids::kLowerLayer, false, L"&Lower layer"},
              {ids::kZoomIn, false, L"Zoom &in	Ctrl++"}, {ids::kZoomOut, false, L"Zoom &out	Ctrl+-"},
              {ids::kActualSize, false, L"&Actual size	Ctrl+0"}, {ids::kStatusBar, false, L"&Status bar"},
              {ids::kPreviewAsExported, false, L"&Preview as exported	Ctrl+E"}, {ids::kLanguage, false, L"中文"}}},
    {"tools", {{3, true, L"&Tools"}, {ids::kLoadScreenSettings, false, L"&Load screen settings..."},
               {ids::kScreenshotSettings, false, L"S&creenshot settings..."},
               {ids::kAlignLargeMap, false, L"&Align magnified map\tCtrl+L"}}},
    {"mode", {{4, true, L"&Mode"}, {ids::kModeSmallMap, false, L"&Small map"}, {ids::kModeLargeMap, false, L"&Large map"},
              {ids::kModeTargetBox, false, L"&Target box"}}},
    {"help", {{5, true, L"&Help"}, {ids::kHelp, false, L"&Help"}, {ids::kAbout, false, L"&About Vantorel"}}},
};

}  // namespace

void UseInterfaceLanguage(DriverLanguage language) {
  runLanguage = language;
  for (const Texts& t : kTexts)
    *t.target = language == DriverLanguage::English ? t.english : t.chinese;
}

DriverLanguage RunLanguage() { return runLanguage; }

const char* LanguageName(DriverLanguage language) {
  return language == DriverLanguage::English ? "english" : "chinese";
}

std::wstring LanguageSettingsFile() {
  wchar_t folder[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return std::wstring(folder) + L"\\Vantorel\\settings.ini";
}

bool WriteLanguageSettings(const char* text, std::string& error) {
  const std::wstring file = LanguageSettingsFile();
  if (file.empty()) {
    error = "no application-data folder";
    return false;
  }
  const std::wstring folder = file.substr(0, file.find_last_of(L'\\'));
  if (!text) {
    DeleteFileW(file.c_str());
    return GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES;
  }
  CreateDirectoryW(folder.c_str(), nullptr);
  return WriteFileIn(folder, L"settings.ini", text, error);
}

std::string ReadLanguageSettings() {
  const std::wstring file = LanguageSettingsFile();
  return file.empty() ? std::string() : ReadWholeFile(file);
}

const std::vector<MenuCaptions>& ExpectedMenuCaptions(DriverLanguage language) {
  return language == DriverLanguage::English ? kEnglishMenu : kChineseMenu;
}
