#include "pack_command.h"

#include <cstdio>

#include "command_line.h"
#include "mix_export.h"
#include "mix_packing.h"
#include "scene_inputs.h"

namespace {

bool EndsWithMix(const std::string& path) {
  if (path.size() < 4) return false;
  std::string tail = path.substr(path.size() - 4);
  for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return tail == ".mix";
}

std::string Count(std::size_t n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); }

}  // namespace

int RunPack(const Arguments& args) {
  std::string error;
  const std::string* addTo = args.Option("--add-to");
  std::vector<std::string> files = args.positional;
  std::string target;
  // With --add-to the archive named there is written unless an OUT.mix comes first.
  if (!files.empty() && (!addTo || (files.size() > 1 && EndsWithMix(files[0])))) {
    target = files[0];
    files.erase(files.begin());
  } else if (addTo) {
    target = *addTo;
  }
  if (target.empty() || files.empty()) return UsageError("pack needs OUT.mix and at least one file to put into it");

  // The target is never one of the files packed, nor an existing file that is not a MIX:
  // `pack ls.shp ls.pal` (the archive's name forgotten) must not turn the SHP into a MIX.
  std::vector<InputFile> read;
  for (const std::string& file : files) read.push_back({file, "the file to pack"});
  if (const std::string clash = OutputOverInputProblem({target}, read); !clash.empty()) return Failure(clash);
  if (const std::string problem = MixTargetProblem(target); !problem.empty())
    return Failure(EndsWithMix(target) ? problem
                                       : problem + " (the archive comes first: vantorel pack OUT.mix FILE...)");

  std::vector<MixInput> inputs(files.size());
  for (std::size_t i = 0; i < files.size(); ++i)
    if (!ReadMixInput(files[i], inputs[i], error)) return Failure(error);
  if (error = MixInputsProblem(inputs); !error.empty()) return Failure(error);
  for (const MixInput& input : inputs)
    WarnUnlessEightDotThree(input.name, "rename " + input.source + " before packing it");
  MixPackSummary summary;
  if (!PackMix(target, addTo ? *addTo : "", inputs, error, &summary)) return Failure(error);
  const std::string packed = Count(inputs.size(), "file");
  if (summary.existed || addTo)
    std::printf("packed %s into %s (%s: %s added, %s replaced, %s kept)\n", packed.c_str(), target.c_str(),
                summary.existed ? "added to the existing archive" : ("a new archive from " + *addTo).c_str(),
                std::to_string(summary.added).c_str(), std::to_string(summary.replaced).c_str(),
                std::to_string(summary.kept).c_str());
  else
    std::printf("packed %s into %s (a new archive)\n", packed.c_str(), target.c_str());
  return 0;
}
