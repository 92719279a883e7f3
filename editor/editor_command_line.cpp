#include "editor_command_line.h"

#include <algorithm>

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The length of the code point at `at`: 2 for a pair, 1 otherwise; 0 for an unpaired half.
std::size_t CodePointLength(std::u16string_view text, std::size_t at) {
  const char16_t unit = text[at];
  if (IsHighSurrogate(unit)) return at + 1 < text.size() && IsLowSurrogate(text[at + 1]) ? 2 : 0;
  return IsLowSurrogate(unit) ? 0 : 1;
}

bool IsValidUtf16(std::u16string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = CodePointLength(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

bool IsHelpWord(std::u16string_view argument) {
  std::u16string lower(argument);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char16_t unit) { return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit; });
  return lower == u"--help" || lower == u"-h" || lower == u"-?" || lower == u"/?" || lower == u"/h";
}

EditorStartRequest Refusal(std::u16string_view given, const NarrowFileName& narrow, Message reason) {
  bool ignored = false;
  EditorStartRequest request;
  request.kind = EditorStartKind::RefuseScene;
  const std::string shown = narrow(NameToShow(given), ignored);
  request.message = {{Text::CommandLineSceneRefused, {{"file", shown}}}, std::move(reason)};
  return request;
}

}  // namespace

std::u16string NameToShow(std::u16string_view text, std::size_t keep) {
  std::u16string sound;
  sound.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = CodePointLength(text, at);
    if (length == 0) {
      sound += u'\uFFFD';
      ++at;
    } else {
      sound.append(text.substr(at, length));
      at += length;
    }
  }
  if (sound.size() <= keep) return sound;
  // Two thirds from the start, the rest from the end (the file's own name).
  std::size_t head = keep * 2 / 3, tail = sound.size() - (keep - head);
  if (IsLowSurrogate(sound[head])) --head;
  if (IsLowSurrogate(sound[tail])) ++tail;
  return sound.substr(0, head) + u"\u2026" + sound.substr(tail);
}

EditorStartRequest ReadEditorCommandLine(const std::vector<std::u16string>& arguments, const NarrowFileName& narrow,
                                         std::size_t pathBufferSize) {
  EditorStartRequest request;
  if (std::any_of(arguments.begin(), arguments.end(), [](const std::u16string& a) { return IsHelpWord(a); })) {
    request.kind = EditorStartKind::Usage;
    request.message = {{Text::EditorUsage}};
    return request;
  }
  if (arguments.empty() || arguments.front().empty()) return request;
  const std::u16string& given = arguments.front();
  if (!IsValidUtf16(given)) return Refusal(given, narrow, {Text::CommandLineNameNotText});
  bool lossy = false;
  std::string scene = narrow(given, lossy);
  if (lossy || scene.empty()) return Refusal(given, narrow, {Text::CommandLineNameNoFileName});
  if (scene.size() >= pathBufferSize)
    return Refusal(given, narrow,
                   {Text::CommandLineNameTooLong,
                    {{"length", std::to_string(scene.size())}, {"limit", std::to_string(pathBufferSize - 1)}}});
  request.kind = EditorStartKind::OpenScene;
  request.scene = std::move(scene);
  return request;
}
