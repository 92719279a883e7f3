// The editor's texts in both interface languages, in one table: the status bar's, the
// messages and questions, the captions and filters of the file dialogs. The menus and the
// dialogs' own captions are in the resources, once per language.
//
// The Chinese interface keeps the long-standing messages of the original program word for
// word, English ones too (both columns then hold the same text); every text added since is
// in both languages. Templates are UTF-8 and
// name their values in braces ("Save changes to {screen}?"). A value is text in the narrow
// encoding of file names (the system's reasons, paths) or another text of the table,
// rendered in the same language.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "interface_language.h"

enum class Text {
  // The status bar.
  KeyHint,
  ModeStatus,        // {mode}
  ModeStatusZoomed,  // {mode} {zoom}
  ModeSmallMap,
  ModeLargeMap,
  ModeTargetBox,
  SavedFile,        // {file}
  SavedFiles,       // {first} {second}
  SavedColours,     // {count}
  Index0Pixel,      // {count}: one pixel on palette entry 0, after a saved message
  Index0Pixels,     // {count}
  SentenceEnd,      // after a saved message that more follows
  Packed,           // {members} {archive}, after a saved message
  MissionFileMade,  // {file} {section}, after a packed message
  MissionKeysSet,   // {file} {section}
  MissionKeysKept,  // {file} {section}
  PictureCopied,
  PreviewStart,
  PreviewStart640,
  PreviewOctree,
  PreviewBest,
  PreviewExisting,
  PreviewDithered,
  PreviewColours,  // {count}
  PreviewComputing,
  PreviewLossless,
  PreviewDecibels,      // {value}
  PreviewIndex0,        // {count}: pixels on a coloured palette entry 0
  RecoveryWriteFailed,  // {reason}
  ScreenshotNotChanged,
  SelectedMarker,  // {index} {x} {y}
  // Messages and questions.
  Verbatim,         // {text}: a message that comes whole from the core
  FileLine,         // {file}: the file a message concerns, on a paragraph of its own
  ReasonAfterFile,  // {reason}
  ReasonParagraph,  // {reason}
  OutOfMemory,
  MissingSideTemplate,
  NoScreenshot,
  CameoMissing,
  CameoWrongSize,
  ScreenshotTooSmall,
  CropQuestion,
  PictureUnreadable,  // before the file and the loader's reason
  ImageSaveFailed,
  LanguageSaveFailed,
  CloseQuestion,  // {screen}: also before another screen takes this one's place
  Untitled,
  SceneSaveFailed,  // {reason}
  DropUnreadable,   // {file} {reason}
  DropPathTooLong,
  PasteNoPicture,
  PasteRefused,  // {reason}
  ClipboardInUse,
  ClipboardUnreadable,
  CopiedFileListUnreadable,
  CopiedPathTooLong,
  PreviewPaletteUnreadable,
  MixError,  // {reason}
  MixNameMissing,
  MapNameError,      // {reason}
  MissionFileError,  // {reason}
  MissionMapMissing,
  MissionFileMissing,
  RecoveryQuestion,   // {screen} {time}
  RecoveryNoDeletes,  // after the question: what No does
  RecoveryDamaged,    // {reason} {path}
  ProgramFolderTooLong,
  ViewCanvasFailed,
  RegisterClassFailed,
  MainWindowFailed,
  MapViewFailed,
  EditorUsage,
  CommandLineSceneRefused,  // {file}, then the reason
  CommandLineNameNotText,
  CommandLineNameNoFileName,
  CommandLineNameTooLong,  // {length} {limit}
  // Captions, titles, the file dialogs and the SHP dialog's lists.
  ProgramCaption,
  ErrorCaption,
  ProgramTitle,
  TitleWithScene,          // {title} {file}
  TitleWithSceneModified,  // {title} {file}
  OpenSceneCaption,
  SaveSceneCaption,
  SceneFilter,
  PalFilter,
  ShpFilter,
  MixFilter,
  MixBrowseCaption,
  MissionFilter,
  MissionBrowseCaption,
  OpenImageCaption,
  NoImagePreview,
  ImagePreviewLabel,
  QuantizerOctree,
  QuantizerBest,
  // The select-item dialog's lines.
  MarkerListLine,  // {position} {symbol} {colour}
  MarkerBlue,
  MarkerRed,
  MarkerPurple,
  PaletteNameEmpty,  // the SHP dialog's line under the palette name while OK is disabled
  PaletteFolderMissing,
  PaletteFileMissing,
  Count
};

// The template of `text` in `language`. Filters hold their '\0' separators.
std::string_view TextTemplate(Text text, InterfaceLanguage language);

// One value of a message: plain text, or another text of the table.
struct TextValue {
  TextValue(std::string_view name, std::string text) : name(name), text(std::move(text)) {}
  TextValue(std::string_view name, Text nested) : name(name), nested(nested), isNested(true) {}
  std::string_view name;
  std::string text;
  Text nested = Text::Verbatim;
  bool isNested = false;
};

// A text with its values. A line of the status bar or a message box is one or more of
// them, shown one after the other.
struct Message {
  Message(Text text, std::initializer_list<TextValue> values = {}) : text(text), values(values) {}
  Text text;
  std::vector<TextValue> values;
  bool operator==(const Message& other) const;
};
using TextLine = std::vector<Message>;

// Replaces every "{name}" of `pattern` whose name has a value; any other brace stays.
template <class String>
String FillValues(const String& pattern, const std::vector<std::pair<String, String>>& values) {
  String out;
  for (std::size_t at = 0; at < pattern.size();) {
    bool filled = false;
    if (pattern[at] == '{') {
      for (const auto& [name, value] : values) {
        if (pattern.compare(at + 1, name.size(), name) == 0 && at + 1 + name.size() < pattern.size() &&
            pattern[at + 1 + name.size()] == '}') {
          out += value;
          at += name.size() + 2;
          filled = true;
          break;
        }
      }
    }
    if (!filled) out += pattern[at++];
  }
  return out;
}

// The line in `language` as one string, converted by `fromUtf8` (the templates) and
// `fromNarrow` (the plain values); both take a std::string_view and give a String.
template <class String, class FromUtf8, class FromNarrow>
String RenderLine(const TextLine& line, InterfaceLanguage language, FromUtf8 fromUtf8, FromNarrow fromNarrow) {
  String out;
  for (const Message& message : line) {
    std::vector<std::pair<String, String>> values;
    for (const TextValue& value : message.values)
      values.emplace_back(fromUtf8(value.name),
                          value.isNested ? fromUtf8(TextTemplate(value.nested, language)) : fromNarrow(value.text));
    out += FillValues(fromUtf8(TextTemplate(message.text, language)), values);
  }
  return out;
}

// The line as UTF-8, for plain values that are UTF-8 (everywhere but a Windows system whose
// code page is not UTF-8).
std::string Utf8Line(const TextLine& line, InterfaceLanguage language);
