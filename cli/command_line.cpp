#include "command_line.h"

#include <cstdio>
#include <filesystem>

#include "load_screen_document.h"
#include "path_limits.h"

const std::string* Arguments::Option(const std::string& name) const {
  for (const auto& [key, value] : options)
    if (key == name) return &value;
  return nullptr;
}

bool ParseArguments(int argc, char** argv, const std::vector<std::string>& valueOptions, Arguments& out,
                    std::string& error) {
  for (int i = 0; i < argc; ++i) {
    const std::string word = argv[i];
    if (word.size() < 2 || word[0] != '-') {
      out.positional.push_back(word);
      continue;
    }
    bool known = false;
    for (const std::string& name : valueOptions) known = known || name == word;
    if (!known) {
      error = "unknown option " + word;
      return false;
    }
    if (i + 1 >= argc) {
      error = "option " + word + " needs a value";
      return false;
    }
    if (out.Option(word)) {
      error = "option " + word + " given twice";
      return false;
    }
    out.options.emplace_back(word, argv[++i]);
  }
  return true;
}

int Failure(const std::string& message) {
  std::fprintf(stderr, "vantorel: %s\n", message.c_str());
  return 1;
}

int UsageError(const std::string& message) {
  std::fprintf(stderr, "vantorel: %s (see vantorel --help)\n", message.c_str());
  return 2;
}

std::string DefaultPackageDirectory() { return ExecutableDirectory(); }

std::string PackageDirectory(const std::string& folder) {
  if (folder.empty()) return std::string(".") + kPathSeparator;
  const char last = folder.back();
  return last == '/' || last == '\\' ? folder : folder + kPathSeparator;
}

bool FindPackage(const Arguments& args, std::string& appDir, std::string& error) {
  const std::string* given = args.Option("--package");
  const std::string folder = given ? *given : DefaultPackageDirectory();
  std::string problem = PathLengthProblem(folder);
  if (problem.empty()) {
    std::error_code ignored;
    const auto status = std::filesystem::status(folder.empty() ? "." : folder, ignored);
    if (!std::filesystem::exists(status)) problem = "the package folder does not exist";
    else if (!std::filesystem::is_directory(status)) problem = "the package is not a folder";
  }
  if (!problem.empty()) {
    error = folder + ": " + problem;
    return false;
  }
  appDir = PackageDirectory(folder);
  return true;
}
