#include "command_line.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "load_screen_document.h"
#include "nearest_word.h"
#include "path_limits.h"

namespace {

const char* runningVerb = nullptr;

bool IsOptionWord(const std::string& word) { return word.size() >= 2 && word[0] == '-'; }
bool IsHelpWord(const std::string& word) { return word == "--help" || word == "-h"; }

const OptionSpec* FindOption(std::span<const OptionSpec> options, const std::string& name) {
  for (const OptionSpec& option : options)
    if (name == option.name) return &option;
  return nullptr;
}

}  // namespace

const std::string* Arguments::Option(const std::string& name) const {
  for (const auto& [key, value] : options)
    if (key == name) return &value;
  return nullptr;
}

bool ParseArguments(int argc, char** argv, std::span<const OptionSpec> options, Arguments& out, std::string& error) {
  for (int i = 0; i < argc; ++i) {
    const std::string word = argv[i];
    if (!IsOptionWord(word)) {
      out.positional.push_back(word);
      continue;
    }
    const OptionSpec* option = FindOption(options, word);
    if (!option) {
      std::vector<const char*> names;
      for (const OptionSpec& known : options) names.push_back(known.name);
      error = "unknown option " + word + DidYouMean(word, names);
      return false;
    }
    if (option->value && i + 1 >= argc) {
      error = "option " + word + " needs a value (" + option->value + ")";
      return false;
    }
    if (out.Has(word)) {
      error = "option " + word + " given twice";
      return false;
    }
    out.options.emplace_back(word, option->value ? argv[++i] : "");
  }
  return true;
}

bool AsksForHelp(int argc, char** argv, std::span<const OptionSpec> options) {
  for (int i = 0; i < argc; ++i) {
    const std::string word = argv[i];
    if (IsHelpWord(word)) return true;
    if (const OptionSpec* option = FindOption(options, word); option && option->value) ++i;
  }
  return false;
}

bool HasExtension(const std::string& path, const std::string& extension) {
  if (path.size() < extension.size()) return false;
  for (std::size_t i = 0; i < extension.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(path[path.size() - extension.size() + i])) !=
        std::tolower(static_cast<unsigned char>(extension[i])))
      return false;
  return true;
}

int Failure(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kToolName, message.c_str());
  return 1;
}

void Warning(const std::string& message) { std::fprintf(stderr, "%s: warning: %s\n", kToolName, message.c_str()); }

void SetRunningVerb(const char* verb) { runningVerb = verb; }

int UsageError(const std::string& message) {
  if (runningVerb)
    std::fprintf(stderr, "%s: %s (see %s help %s)\n", kToolName, message.c_str(), kToolName, runningVerb);
  else
    std::fprintf(stderr, "%s: %s (see %s --help)\n", kToolName, message.c_str(), kToolName);
  return 2;
}

std::string DefaultPackageDirectory() { return ExecutableDirectory(); }

std::string PackageDirectory(const std::string& folder) {
  if (folder.empty()) return std::string(".") + kPathSeparator;
  const char last = folder.back();
  return last == '/' || last == '\\' ? folder : folder + kPathSeparator;
}

bool FindPackage(const Arguments& args, std::string& appDir, std::string& error) {
  namespace fs = std::filesystem;
  const std::string* given = args.Option("--package");
  const std::string folder = given ? *given : DefaultPackageDirectory();
  std::string problem = PathLengthProblem(folder);
  std::error_code ignored;
  if (problem.empty()) {
    const auto status = fs::status(folder.empty() ? "." : folder, ignored);
    if (!fs::exists(status))
      problem = "the package folder does not exist";
    else if (!fs::is_directory(status))
      problem = "the package is not a folder";
  }
  if (problem.empty() && !fs::is_directory(fs::path(PackageDirectory(folder)) / "Templates", ignored)) {
    // A copy of the tool on its own finds no package beside it: say which option names one.
    if (!given) {
      error = std::string("no template package beside ") + kToolName + " (" + folder +
              " has no Templates folder): name one with --package DIR, a folder holding Templates/ and Settings.ini";
      return false;
    }
    problem = "not a template package: it has no Templates folder";
  }
  if (!problem.empty()) {
    error = folder + ": " + problem;
    return false;
  }
  appDir = PackageDirectory(folder);
  return true;
}
