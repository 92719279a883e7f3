#include "interface_texts.h"

#include <cstddef>

namespace {

using namespace std::string_view_literals;

struct Translation {
  Text text;
  std::string_view chinese;
  std::string_view english;
};

// The original program's own messages keep their words in both columns where they were never
// translated; the texts added since are translated.
constexpr Translation kTexts[] = {
    {Text::KeyHint, "Press CTRL to move map faster(5x) or press CTRL+SHIFT to move map faster (10x)",
     "Arrow keys move by 1 pixel: Shift 2, Ctrl 5, Ctrl+Shift 10"},
    {Text::ModeStatus, "Current mode: {mode}", "Current mode: {mode}"},
    {Text::ModeStatusZoomed, "Current mode: {mode} ({zoom}%)", "Current mode: {mode} ({zoom}%)"},
    {Text::ModeSmallMap, "Move small map", "Move small map"},
    {Text::ModeLargeMap, "Move large map", "Move large map"},
    {Text::ModeTargetBox, "Move target box", "Move target box"},
    {Text::SavedFile, "已保存 {file}", "Saved {file}"},
    {Text::SavedFiles, "已保存 {first} 和 {second}", "Saved {first} and {second}"},
    {Text::SavedColours, " ({count} 色)", " ({count} colours)"},
    {Text::Index0Pixel, " 有 {count} 个像素用了调色板第 0 项, 游戏会把它画成透明。",
     " {count} pixel uses palette entry 0, which the games draw transparent."},
    {Text::Index0Pixels, " 有 {count} 个像素用了调色板第 0 项, 游戏会把它画成透明。",
     " {count} pixels use palette entry 0, which the games draw transparent."},
    {Text::SentenceEnd, "。", "."},
    {Text::Packed, " 已把 {members} 放入 {archive}。", " Packed {members} into {archive}."},
    {Text::MissionFileMade, " 已新建 {file}，写入 [{section}]。", " Made {file} with [{section}]."},
    {Text::MissionKeysSet, " 已设置 {file} 的 [{section}]。", " Set [{section}] in {file}."},
    {Text::MissionKeysKept, " {file} 的 [{section}] 已是这些名字。",
     " [{section}] in {file} already held these names."},
    {Text::PictureCopied, "已把 800 x 520 的图片复制到剪贴板", "Copied the 800 x 520 picture to the clipboard"},
    {Text::PreviewStart, "预览: ", "Preview: "},
    {Text::PreviewStart640, "预览 640 x 400: ", "Preview 640 x 400: "},
    {Text::PreviewOctree, "八叉树", "octree"},
    {Text::PreviewBest, "最佳", "best"},
    {Text::PreviewExisting, "现有调色板", "existing palette"},
    {Text::PreviewDithered, ", 抖动", ", dithered"},
    {Text::PreviewColours, ", {count} 色, ", ", {count} colours, "},
    {Text::PreviewComputing, "计算中...", "computing..."},
    {Text::PreviewLossless, "无损", "lossless"},
    {Text::PreviewDecibels, "{value} dB", "{value} dB"},
    {Text::PreviewIndex0, ", 第 0 项 {count} 像素", ", {count} px on entry 0"},
    {Text::RecoveryWriteFailed, "无法写入恢复副本：{reason}", "The recovery copy could not be written: {reason}"},
    {Text::ScreenshotNotChanged, "载图没有改变。", "The screenshot was not changed."},
    {Text::SelectedMarker, "已选项目 {index}: x = {x}, y = {y}", "Selected item {index}: x = {x}, y = {y}"},
    {Text::Verbatim, "{text}", "{text}"},
    {Text::FileLine, "\n\n{file}", "\n\n{file}"},
    {Text::ReasonAfterFile, ":\n{reason}", ":\n{reason}"},
    {Text::ReasonParagraph, "\n\n{reason}", "\n\n{reason}"},
    {Text::OutOfMemory, "Out of memory!", "Out of memory!"},
    {Text::MissingSideTemplate, "Can't find file!", "Can't find file!"},
    {Text::NoScreenshot, "Please select screenshot in the load screen settings dialog",
     "There is no screenshot yet. Choose one in Load screen settings first."},
    {Text::CameoMissing, "Error: Can't find file!", "The cameo picture cannot be found."},
    {Text::CameoWrongSize, "Error: This file isn't valid icon file\nImage size must be 76x60",
     "This file is not a valid cameo picture.\nA cameo must be 76 x 60 pixels."},
    {Text::ScreenshotTooSmall, "Error: Size of image is less than 234x232\nPlease select another image.",
     "The picture is smaller than 234 x 232 pixels.\nPlease choose another picture."},
    {Text::CropQuestion, "Size of image isn't 234x232.Do you want to crop this image?",
     "The picture is not 234 x 232 pixels. Do you want to crop it?"},
    {Text::PictureUnreadable, "无法读取这个图片。", "The picture cannot be read."},
    {Text::ImageSaveFailed, "Error: Can't save the image file!", "The image could not be saved."},
    {Text::LanguageSaveFailed, "错误：无法记住界面语言！", "The interface language could not be remembered."},
    {Text::CloseQuestion, "保存对 {screen} 的更改吗?", "Save changes to {screen}?"},
    {Text::Untitled, "未命名", "Untitled"},
    {Text::SceneSaveFailed, "错误：无法保存场景！\n{reason}", "Error: Can't save the scene!\n{reason}"},
    {Text::DropUnreadable, "错误：无法打开拖入的文件！\n它既不是场景文件 (.ini)，也不是图片。\n{file}: {reason}",
     "Error: Can't open the dropped file!\nIt is neither a scene file (.ini) nor a picture.\n{file}: {reason}"},
    {Text::DropPathTooLong, "错误：拖入的文件路径太长。", "Error: The path of the dropped file is too long."},
    {Text::PasteNoPicture, "剪贴板里没有图片。", "The clipboard holds no picture."},
    {Text::PasteRefused, "剪贴板里的图片无法使用：\n{reason}", "The clipboard's picture cannot be used:\n{reason}"},
    {Text::ClipboardInUse, "剪贴板正被另一个程序使用。", "the clipboard is in use by another program."},
    {Text::ClipboardUnreadable, "剪贴板里的图片数据无法读取。", "the clipboard's picture data cannot be read."},
    {Text::CopiedFileListUnreadable, "复制的文件列表无法读取。", "the copied file list cannot be read."},
    {Text::CopiedPathTooLong, "复制的文件路径太长。", "the copied file's path is too long."},
    {Text::PreviewPaletteUnreadable, "调色板文件无法读取，预览已关闭。",
     "The palette file cannot be read, so the preview is off."},
    {Text::MixError, "MIX 文件错误！\n\n{reason}", "MIX file error!\n\n{reason}"},
    {Text::MixNameMissing, "MIX 文件错误！\n\n请输入 MIX 文件的名字，或者取消勾选。",
     "MIX file error!\n\nEnter the name of the MIX file, or clear the check box."},
    {Text::MapNameError, "地图文件名错误！\n\n{reason}", "Map file name error!\n\n{reason}"},
    {Text::MissionFileError, "任务文件错误！\n\n{reason}", "Mission file error!\n\n{reason}"},
    {Text::MissionMapMissing, "任务文件错误！\n\n请输入场景的地图文件名（如 ALL01UMD.MAP），或者清空任务文件。",
     "Mission file error!\n\nEnter the scenario's map file name (such as ALL01UMD.MAP), or clear the mission file."},
    {Text::MissionFileMissing, "任务文件错误！\n\n请输入任务文件（如 missionmd.ini），或者清空地图文件名。",
     "Mission file error!\n\nEnter the mission file (such as missionmd.ini), or clear the map file name."},
    {Text::RecoveryQuestion, "Vantorel 上次没有正常关闭。要恢复 {time} 未保存的屏幕 {screen} 吗?",
     "Vantorel did not close properly last time. Restore the unsaved screen {screen} from {time}?"},
    {Text::RecoveryNoDeletes, "\n\n选“否”会删除这份恢复副本。", "\n\nNo deletes this recovery copy."},
    {Text::RecoveryDamaged, "一份未保存屏幕的恢复副本无法读取（{reason}）。\n它已改名保留为：{path}",
     "A recovery copy of unsaved work could not be read ({reason}).\nIt was kept as {path}"},
    {Text::ProgramFolderTooLong, "错误：程序文件夹的路径太长。", "Error: The path of the program folder is too long."},
    {Text::ViewCanvasFailed, "错误：无法创建视图画布。", "Error: Can't create the view canvas."},
    {Text::RegisterClassFailed, "RegisterClassEx failed!", "RegisterClassEx failed!"},
    {Text::MainWindowFailed, "错误：无法创建主窗口。", "Error: Can't create the main window."},
    {Text::MapViewFailed, "错误：无法创建地图视图。", "Error: Can't create the map view."},
    {Text::EditorUsage,
     "用法：Vantorel.exe [场景文件.ini]\n\n启动编辑器；若给出场景文件，则打开它。\n\n"
     "命令行工具是同一文件夹中的 vantorel-cli.exe：在命令提示符窗口中运行 vantorel-cli.exe --help "
     "可查看它的命令（export、render、inspect、pack 等）。",
     "Usage: Vantorel.exe [SCENE.ini]\n\nStarts the editor and opens the scene file, if one is given.\n\n"
     "The command-line tool is vantorel-cli.exe, in the same folder: run vantorel-cli.exe --help in a "
     "Command Prompt window for its commands (export, render, inspect, pack and more)."},
    {Text::CommandLineSceneRefused, "无法打开命令行给出的场景文件：\n{file}\n\n",
     "Can't open the scene file given on the command line:\n{file}\n\n"},
    {Text::CommandLineNameNotText, "这个名称不是有效的文本（含有不成对的 UTF-16 代理项）。",
     "The name is not valid text (it holds an unpaired UTF-16 surrogate)."},
    {Text::CommandLineNameNoFileName, "这个名称含有本系统的文件名无法表示的字符。",
     "The name holds characters that this system's file names can't hold."},
    {Text::CommandLineNameTooLong, "这个名称作为文件名长 {length} 字节，超过了本程序路径所能容纳的 {limit} 字节。",
     "As a file name it is {length} bytes long, more than the {limit} this program's paths hold."},
    {Text::ProgramCaption, "Vantorel", "Vantorel"},
    {Text::ErrorCaption, "Error", "Error"},
    {Text::ProgramTitle, "Vantorel 1.11", "Vantorel 1.11"},
    {Text::TitleWithScene, "{title} - {file}", "{title} - {file}"},
    {Text::TitleWithSceneModified, "{title} - {file} *", "{title} - {file} *"},
    {Text::OpenSceneCaption, "打开场景", "Open scene"},
    {Text::SaveSceneCaption, "场景另存为", "Save scene as"},
    {Text::SceneFilter, "场景文件 (*.ini)\0*.ini\0所有文件 (*.*)\0*.*\0"sv,
     "Scene files (*.ini)\0*.ini\0All files (*.*)\0*.*\0"sv},
    {Text::PalFilter, "C&C PAL files(*.pal)\0*.pal\0All Files (*.*)\0*.*\0"sv,
     "C&C PAL files(*.pal)\0*.pal\0All Files (*.*)\0*.*\0"sv},
    {Text::ShpFilter, "SHP(YR/RA2) files(*.shp)\0*.shp\0All Files (*.*)\0*.*\0"sv,
     "SHP(YR/RA2) files(*.shp)\0*.shp\0All Files (*.*)\0*.*\0"sv},
    {Text::MixFilter, "MIX 文件 (*.mix)\0*.mix\0所有文件 (*.*)\0*.*\0"sv,
     "MIX files (*.mix)\0*.mix\0All files (*.*)\0*.*\0"sv},
    {Text::MixBrowseCaption, "选择 MIX 文件 (没有则新建)", "Choose the MIX file (made when missing)"},
    {Text::MissionFilter, "任务文件 (*.ini)\0*.ini\0所有文件 (*.*)\0*.*\0"sv,
     "Mission files (*.ini)\0*.ini\0All files (*.*)\0*.*\0"sv},
    {Text::MissionBrowseCaption, "选择任务文件 (没有则新建)", "Choose the mission file (made when missing)"},
    {Text::OpenImageCaption, "Choose file to open", "Choose file to open"},
    {Text::NoImagePreview, "No preview", "No preview"},
    {Text::ImagePreviewLabel, "查看:", "Preview:"},
    {Text::QuantizerOctree, "八叉树 (octree, the classic palette)", "Octree (the classic palette)"},
    {Text::QuantizerBest, "最佳 (best: Wu + k-means, 6-bit)", "Best (Wu + k-means, 6-bit)"},
    {Text::MarkerListLine, "{position}   {symbol} ({colour})", "{position}   {symbol} ({colour})"},
    {Text::MarkerBlue, "蓝色", "blue"},
    {Text::MarkerRed, "红色", "red"},
    {Text::MarkerPurple, "紫色", "purple"},
    {Text::PaletteNameEmpty, "请输入调色板文件名。", "Enter the palette file's name."},
    {Text::PaletteFolderMissing, "这个文件夹不存在。", "There is no such folder."},
    {Text::PaletteFileMissing, "这个调色板文件不存在。", "There is no such palette file."},
};

constexpr bool InOrder() {
  for (std::size_t i = 0; i < std::size(kTexts); ++i)
    if (static_cast<std::size_t>(kTexts[i].text) != i) return false;
  return std::size(kTexts) == static_cast<std::size_t>(Text::Count);
}
static_assert(InOrder(), "kTexts holds every Text once, in the order of the enum");

}  // namespace

std::string_view TextTemplate(Text text, InterfaceLanguage language) {
  const auto index = static_cast<std::size_t>(text);
  if (index >= std::size(kTexts)) return {};
  return language == InterfaceLanguage::English ? kTexts[index].english : kTexts[index].chinese;
}

bool Message::operator==(const Message& other) const {
  if (text != other.text || values.size() != other.values.size()) return false;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const TextValue& a = values[i];
    const TextValue& b = other.values[i];
    if (a.name != b.name || a.isNested != b.isNested || (a.isNested ? a.nested != b.nested : a.text != b.text))
      return false;
  }
  return true;
}

std::string Utf8Line(const TextLine& line, InterfaceLanguage language) {
  const auto same = [](std::string_view text) { return std::string(text); };
  return RenderLine<std::string>(line, language, same, same);
}
