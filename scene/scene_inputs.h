// The files a run reads, so that no output is written over one of them: a render whose
// scene names "battlefield.png" as its screenshot must not replace that picture.
#pragma once

#include <string>
#include <vector>

#include "load_screen_document.h"

struct InputFile {
  std::string path;
  std::string role;  // "the scene", "the screenshot", "a template", ... for messages
};

// The scene file and every image file the scene on the package in `appDir` is made from:
// the templates for its side, its cameos, its screenshot and its markers' symbols. Read
// from the scene file itself, so it works before the scene is loaded (and is empty beyond
// the scene when the file cannot be read).
std::vector<InputFile> SceneInputFiles(const std::string& scenePath, const std::string& appDir);

// The same for every scene of a run, one list.
std::vector<InputFile> RunInputFiles(const std::vector<std::string>& scenePaths, const std::string& appDir);

// Empty when no output is the same file as an input (compared as files, not as spellings:
// a link or another spelling of the same path counts); otherwise one line naming both:
// "OUT would be written over ROLE IN".
std::string OutputOverInputProblem(const std::vector<std::string>& outputs, const std::vector<InputFile>& inputs);
