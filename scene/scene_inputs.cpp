#include "scene_inputs.h"

#include <filesystem>

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
  for (const std::string& output : outputs) {
    std::error_code error;
    if (!fs::exists(output, error)) continue;
    for (const InputFile& input : inputs)
      if (fs::equivalent(output, input.path, error))
        return output + ": refused: it would be written over " + input.role + " " + input.path +
               ", which this run reads";
  }
  return {};
}
