// Small helpers shared by the tool's verbs: argument scanning and error reporting.
#pragma once

#include <string>
#include <vector>

// The arguments of one verb: positional words and "--name value" / "-o value" options.
struct Arguments {
  std::vector<std::string> positional;
  std::vector<std::pair<std::string, std::string>> options;

  // The value of an option, or null when it was not given.
  const std::string* Option(const std::string& name) const;
};

// Splits argv (after the verb) into positional words and options. `valueOptions` names the
// options that take a value. Returns false with a message for an unknown option, a missing
// value, or an option given twice.
bool ParseArguments(int argc, char** argv, const std::vector<std::string>& valueOptions, Arguments& out,
                    std::string& error);

// Prints "vantorel: <message>" on stderr and returns the exit code for a failure (1).
int Failure(const std::string& message);
// Prints a usage line on stderr and returns the exit code for a usage error (2).
int UsageError(const std::string& message);

// The folder of the running executable, with a trailing separator (platform part).
std::string ExecutableDirectory();
// The package used when --package is not given: the folder beside the executable.
std::string DefaultPackageDirectory();
// The package: a folder holding Templates/ and Settings.ini. Returns the folder with a
// trailing separator, as the document's appDir wants it.
std::string PackageDirectory(const std::string& folder);
// The package folder a verb uses (--package or the default), with a trailing separator.
// False with an error line when that folder is missing or is not a folder, so that the
// templates missing from it are not blamed on the scene.
bool FindPackage(const Arguments& args, std::string& appDir, std::string& error);
