#include "run_language.h"

#include <windows.h>
#include <shlobj.h>

#include "interface_texts.h"
#include "package_staging.h"
#include "resource.h"
#include "text_conversion.h"

namespace texts {
const wchar_t* kAddItemCaption = nullptr;
const wchar_t* kSelectItemCaption = nullptr;
const wchar_t* kLoadScreenSettingsCaption = nullptr;
const wchar_t* kCropCaption = nullptr;
const wchar_t* kColourizeCaption = nullptr;
const wchar_t* kShpSaveCaption = nullptr;
const wchar_t* kAboutCaption = nullptr;
const wchar_t* kLinkLabel = nullptr;
const wchar_t* kLanguageItem = nullptr;
}  // namespace texts

namespace {

DriverLanguage runLanguage = DriverLanguage::Chinese;

struct ResourceText {
  const wchar_t** target;
  const wchar_t* chinese;
  const wchar_t* english;
};

const ResourceText kResourceTexts[] = {
    {&texts::kAddItemCaption, L"加入新的项目", L"Add New Item"},
    {&texts::kSelectItemCaption, L"选择项目", L"Select Item"},
    {&texts::kLoadScreenSettingsCaption, L"加载屏幕设定", L"Load Screen Settings"},
    {&texts::kCropCaption, L"载图器", L"Crop Screenshot"},
    {&texts::kColourizeCaption, L"Screen shot settings", L"Screenshot Settings"},
    {&texts::kShpSaveCaption, L"SHP 保存配置", L"SHP Save Settings"},
    {&texts::kAboutCaption, L"关于 Vantorel", L"About Vantorel"},
    {&texts::kLinkLabel, L"更新进度", L"Updates and news"},
    {&texts::kLanguageItem, L"&English", L"中文(&C)"},
};

const std::vector<MenuCaptions> kChineseMenu = {
    {"file",
     {{0, true, L"文件"},
      {IDM_NEW_SCENE, false, L"新建(&N)\tCtrl+N"},
      {IDM_OPEN_SCENE, false, L"打开(&O)...\tCtrl+O"},
      {IDM_SAVE_SCENE, false, L"保存(&S)\tCtrl+S"},
      {IDM_SAVE_SCENE_AS, false, L"另存为(&A)...\tCtrl+Shift+S"},
      {IDM_SAVE_SHP, false, L"另存 SHP..."},
      {IDM_SAVE_IMAGE, false, L"保存 as..."},
      {IDM_EXIT, false, L"退出"}}},
    {"edit",
     {{1, true, L"编辑"},
      {IDM_UNDO, false, L"撤销(&U)\tCtrl+Z"},
      {IDM_REDO, false, L"重做(&R)\tCtrl+Y"},
      {IDM_ADD_ITEM, false, L"加入新的项目..."},
      {IDM_SELECT_ITEM, false, L"选择项目..."},
      {IDM_DELETE_ITEM, false, L"删除项目"},
      {IDM_CANCEL_ITEM, false, L"取消项目"},
      {IDM_COPY_TO_CLIPBOARD, false, L"复制到剪切板"},
      {IDM_PASTE_SCREENSHOT, false, L"粘贴载图(&P)\tCtrl+V"}}},
    {"view",
     {{2, true, L"查看"},
      {IDM_VIEW_TOP, false, L"视图上面"},
      {IDM_VIEW_BOTTOM, false, L"视图下面"},
      {IDM_ZOOM_IN, false, L"放大(&I)\tCtrl++"},
      {IDM_ZOOM_OUT, false, L"缩小(&O)\tCtrl+-"},
      {IDM_ACTUAL_SIZE, false, L"实际大小(&A)\tCtrl+0"},
      {IDM_FIT_TO_WINDOW, false, L"适合窗口(&F)\tCtrl+B"},
      {IDM_STATUS_BAR, false, L"状态条"},
      {IDM_PREVIEW_AS_EXPORTED, false, L"按导出预览(&P)\tCtrl+E"},
      {IDM_PREVIEW_640, false, L"预览 640 x 400 画面(&6)"},
      {IDM_MARK_INDEX0, false, L"标出调色板 0 号色像素(&M)"},
      {IDM_LANGUAGE, false, L"&English"}}},
    {"tools",
     {{3, true, L"工具"},
      {IDM_LOAD_SCREEN_SETTINGS, false, L"加载屏幕设定..."},
      {IDM_SCREENSHOT_SETTINGS, false, L"载图设定..."},
      {IDM_ALIGN_LARGE_MAP, false, L"对齐放大地图(&A)\tCtrl+L"}}},
    {"mode",
     {{4, true, L"模式"},
      {IDM_MODE_SMALL_MAP, false, L"缩小 map"},
      {IDM_MODE_LARGE_MAP, false, L"放大 map"},
      {IDM_MODE_TARGET_BOX, false, L"目标移动"}}},
    {"help", {{5, true, L"帮助"}, {IDM_HELP, false, L"帮助"}, {IDM_ABOUT, false, L"关于公司"}}},
};

const std::vector<MenuCaptions> kEnglishMenu = {
    {"file",
     {{0, true, L"&File"},
      {IDM_NEW_SCENE, false, L"&New\tCtrl+N"},
      {IDM_OPEN_SCENE, false, L"&Open...\tCtrl+O"},
      {IDM_SAVE_SCENE, false, L"&Save\tCtrl+S"},
      {IDM_SAVE_SCENE_AS, false, L"Save &as...\tCtrl+Shift+S"},
      {IDM_SAVE_SHP, false, L"Save as S&HP..."},
      {IDM_SAVE_IMAGE, false, L"Save as &image..."},
      {IDM_EXIT, false, L"E&xit"}}},
    {"edit",
     {{1, true, L"&Edit"},
      {IDM_UNDO, false, L"&Undo\tCtrl+Z"},
      {IDM_REDO, false, L"&Redo\tCtrl+Y"},
      {IDM_ADD_ITEM, false, L"&Add new item..."},
      {IDM_SELECT_ITEM, false, L"&Select item..."},
      {IDM_DELETE_ITEM, false, L"&Delete item"},
      {IDM_CANCEL_ITEM, false, L"&Cancel selection"},
      {IDM_COPY_TO_CLIPBOARD, false, L"C&opy to clipboard\tCtrl+C"},
      {IDM_PASTE_SCREENSHOT, false, L"&Paste screenshot\tCtrl+V"}}},
    {"view",
     {{2, true, L"&View"},
      {IDM_VIEW_TOP, false, L"&Upper layer"},
      {IDM_VIEW_BOTTOM, false, L"&Lower layer"},
      {IDM_ZOOM_IN, false, L"Zoom &in\tCtrl++"},
      {IDM_ZOOM_OUT, false, L"Zoom &out\tCtrl+-"},
      {IDM_ACTUAL_SIZE, false, L"&Actual size\tCtrl+0"},
      {IDM_FIT_TO_WINDOW, false, L"&Fit to window\tCtrl+B"},
      {IDM_STATUS_BAR, false, L"&Status bar"},
      {IDM_PREVIEW_AS_EXPORTED, false, L"&Preview as exported\tCtrl+E"},
      {IDM_PREVIEW_640, false, L"Preview the &640 x 400 screen"},
      {IDM_MARK_INDEX0, false, L"&Mark palette entry 0 pixels"},
      {IDM_LANGUAGE, false, L"中文(&C)"}}},
    {"tools",
     {{3, true, L"&Tools"},
      {IDM_LOAD_SCREEN_SETTINGS, false, L"&Load screen settings..."},
      {IDM_SCREENSHOT_SETTINGS, false, L"S&creenshot settings..."},
      {IDM_ALIGN_LARGE_MAP, false, L"&Align magnified map\tCtrl+L"}}},
    {"mode",
     {{4, true, L"&Mode"},
      {IDM_MODE_SMALL_MAP, false, L"&Small map"},
      {IDM_MODE_LARGE_MAP, false, L"&Large map"},
      {IDM_MODE_TARGET_BOX, false, L"&Target box"}}},
    {"help", {{5, true, L"&Help"}, {IDM_HELP, false, L"&Help\tF1"}, {IDM_ABOUT, false, L"&About Vantorel"}}},
};

}  // namespace

std::wstring EditorText(const TextLine& line) {
  const InterfaceLanguage language = runLanguage == DriverLanguage::English ? InterfaceLanguage::English
                                                                            : InterfaceLanguage::Chinese;
  return WideText(Utf8Line(line, language), Narrow::Utf8);
}

void UseInterfaceLanguage(DriverLanguage language) {
  runLanguage = language;
  for (const ResourceText& t : kResourceTexts) *t.target = language == DriverLanguage::English ? t.english : t.chinese;
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

std::wstring MixChoiceFile() {
  const std::wstring language = LanguageSettingsFile();
  return language.empty() ? language : language.substr(0, language.find_last_of(L'\\') + 1) + L"mix.ini";
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
