// Small helpers shared by the tool's verbs: argument scanning and error reporting.
#pragma once

#include <span>
#include <string>
#include <vector>

// The tool's name as it is called: "vantorel", or "vantorel-cli" in the Windows build,
// where "vantorel" would be the editor. Every message and every help line uses it.
inline constexpr char kToolName[] = VANTOREL_TOOL_NAME;

// One option of a verb, as the parser knows it and the help shows it.
struct OptionSpec {
  const char* name;   // "--colors", "-o"
  const char* value;  // what follows the option in the help ("N"); null for a flag ("--dither")
  const char* help;   // what it does, its range and its default; lines end with '\n'
};

// The arguments of one verb: positional words, "--name value" / "-o value" options, and
// flags (kept with an empty value).
struct Arguments {
  std::vector<std::string> positional;
  std::vector<std::pair<std::string, std::string>> options;

  // The value of an option, or null when it was not given.
  const std::string* Option(const std::string& name) const;
  // Whether an option or a flag was given.
  bool Has(const std::string& name) const { return Option(name) != nullptr; }
};

// Splits argv (after the verb) into positional words and the options of `options`: a word
// that starts with '-' (but "-" alone) is an option, and one with a value takes the next word
// whatever it is ("--colors -5"). False with a message for an unknown option (naming the
// nearest known one), a missing value, or an option given twice.
bool ParseArguments(int argc, char** argv, std::span<const OptionSpec> options, Arguments& out, std::string& error);

// Whether argv asks for help: "--help" or "-h" where an option may stand (not as the value
// of an option of `options`).
bool AsksForHelp(int argc, char** argv, std::span<const OptionSpec> options);

// Whether `path` ends with `extension` (".shp"), in any case.
bool HasExtension(const std::string& path, const std::string& extension);

// Prints "<tool>: <message>" on stderr and returns the exit code for a failure (1).
int Failure(const std::string& message);
// Prints "<tool>: warning: <message>" on stderr.
void Warning(const std::string& message);
// Prints "<tool>: <message> (see <tool> help <verb>)" on stderr and returns the exit code for
// a usage error (2). The verb is the one running (SetRunningVerb); without one, "--help".
int UsageError(const std::string& message);
void SetRunningVerb(const char* verb);

// The folder of the running executable, with a trailing separator (platform part).
std::string ExecutableDirectory();
// The package used when --package is not given: the folder beside the executable.
std::string DefaultPackageDirectory();
// The package: a folder holding Templates/ and Settings.ini. Returns the folder with a
// trailing separator, as the document's appDir wants it.
std::string PackageDirectory(const std::string& folder);
// The package folder a verb uses (--package or the default), with a trailing separator.
// False with an error line when that folder is missing, is not a folder or has no
// Templates folder (for the default one: that no package lies beside the tool, and that
// --package names one), so that the templates missing from it are not blamed on the scene.
bool FindPackage(const Arguments& args, std::string& appDir, std::string& error);
