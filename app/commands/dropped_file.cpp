#include "dropped_file.h"

#include <cctype>
#include <utility>

#include "image_files.h"
#include "paths.h"
#include "screenshot_choice.h"

namespace {

bool IsSceneFile(const std::string& path) {
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || path.find_first_of("\\/", dot) != std::string::npos) return false;
  std::string extension = path.substr(dot);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".ini";
}

}  // namespace

void OpenDroppedFile(CommandContext& context, const std::string& path) {
  context.session.EndGroup();
  if (IsSceneFile(path)) {
    context.session.Open(FullPathOf(path), context.prompts);
    return;
  }
  MemoryImage picture;
  std::string reason;
  if (!LoadImageFile(path.c_str(), picture, reason)) {
    context.prompts.Tell(Report({{Text::DropUnreadable, {{"file", path}, {"reason", reason}}}}));
    return;
  }
  TakeScreenshot(context.session, context.prompts, context.status, context.frame.Window(), std::move(picture), path);
}

void RefuseDroppedFile(CommandContext& context) {
  context.session.EndGroup();
  context.prompts.Tell(Report({{Text::DropPathTooLong}}));
}
