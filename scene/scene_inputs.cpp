#include "scene_inputs.h"

#include <cstdint>
#include <filesystem>
#include <unordered_set>

#include "scene_keys.h"
#include "scene_reader.h"
#include "scene_text.h"

std::vector<InputFile> SceneInputFiles(const std::string& scenePath, const std::string& appDir) {
  std::vector<InputFile> inputs{{scenePath, "the scene file"}};
  for (const PrefetchFile& file : SceneImageFiles(scenePath, appDir)) inputs.push_back({file.path, "the image"});
  // The markers' symbols are not decoded ahead, so they are not among the files above.
  std::string problem;
  SceneTextContent text;
  if (!ReadSceneText(scenePath, text, problem)) return inputs;
  if (const SceneSection* markers = text.Find(scene_key::kMarkersSection))
    for (const SceneEntry& entry : markers->entries) {
      const std::string symbol = entry.value.substr(0, entry.value.find(','));
      inputs.push_back({TemplatePath(appDir, symbol.substr(0, symbol.find_last_not_of(" \t") + 1)), "the symbol"});
    }
  return inputs;
}

std::vector<InputFile> RunInputFiles(const std::vector<std::string>& scenePaths, const std::string& appDir) {
  std::vector<InputFile> inputs;
  for (const std::string& scene : scenePaths)
    for (InputFile& input : SceneInputFiles(scene, appDir)) inputs.push_back(std::move(input));
  return inputs;
}

std::string OutputOverInputProblem(const std::vector<std::string>& outputs, const std::vector<InputFile>& inputs) {
  namespace fs = std::filesystem;
  // A batch names each template once per scene: every distinct input is looked at once,
  // and only one of the output's size can be the same file (each look is a system call).
  struct Input {
    const InputFile* file;
    std::uintmax_t size;
  };
  std::vector<Input> distinct;
  std::unordered_set<std::string> seen;
  for (const InputFile& input : inputs) {
    if (!seen.insert(input.path).second) continue;
    std::error_code error;
    const std::uintmax_t size = fs::file_size(input.path, error);
    if (!error) distinct.push_back({&input, size});
  }
  for (const std::string& output : outputs) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(output, error);
    if (error) continue;  // not there yet (or not a file): nothing to write over
    for (const Input& input : distinct)
      if (input.size == size && fs::equivalent(output, input.file->path, error))
        return output + ": refused: it would be written over " + input.file->role + " " + input.file->path +
               ", which this run reads";
  }
  return {};
}
