#include "help_text.h"

#include <string>
#include <vector>

namespace {

constexpr std::size_t kWidth = 80;
constexpr std::size_t kOptionColumn = 26;

// "{tool}" in a table's text becomes the tool's name.
std::string Named(std::string text) {
  for (std::size_t at; (at = text.find("{tool}")) != std::string::npos;) text.replace(at, 6, kToolName);
  return text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The words of `text` in lines of at most kWidth characters, each after `indent` spaces;
// the first line after `first` instead (padded to the indent).
std::string Wrapped(const std::string& text, std::size_t indent, std::string first = "") {
  std::string out, line = first;
  line.resize(std::max(line.size(), indent), ' ');
  bool lineHasWords = false;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t blank = std::min(text.find_first_of(" \n", start), text.size());
    const std::string word = text.substr(start, blank - start);
    start = blank + 1;
    if (word.empty()) continue;
    if (lineHasWords && line.size() + 1 + word.size() > kWidth) {
      out += line + "\n";
      line.assign(indent, ' ');
      lineHasWords = false;
    }
    // '~' joins words that must stay on one line ("16~x~16").
    std::string shown = word;
    for (char& c : shown)
      if (c == '~') c = ' ';
    line += (lineHasWords ? " " : "") + shown;
    lineHasWords = true;
  }
  return out + line + "\n";
}

// Paragraphs (separated by an empty line) flowed to the width.
std::string Paragraphs(const std::string& text) {
  std::string out, paragraph;
  for (const std::string& line : Lines(text)) {
    if (!line.empty()) {
      paragraph += line + " ";
      continue;
    }
    if (!paragraph.empty()) out += (out.empty() ? "" : "\n") + Wrapped(paragraph, 0);
    paragraph.clear();
  }
  if (!paragraph.empty()) out += (out.empty() ? "" : "\n") + Wrapped(paragraph, 0);
  return out;
}

// "  NAMES   help..." with the help from `column` on; a longer NAMES stands on a line of its
// own, the help below.
std::string OptionLines(const std::string& names, const std::string& help, std::size_t column = kOptionColumn,
                        const std::string& lead = "  ") {
  const std::string first = lead + names;
  if (first.size() + 2 > column) return first + "\n" + Wrapped(help, column);
  return Wrapped(help, column, first);
}

}  // namespace

void PrintVerbHelp(const Verb& verb, std::FILE* to) {
  std::string text;
  const std::string command = std::string(kToolName) + " " + verb.name + " ";
  bool first = true;
  for (const std::string& form : Lines(verb.usage)) {
    text += (first ? "usage: " : "       ") + command + form + "\n";
    first = false;
  }
  std::string summary = Named(verb.summary);
  summary[0] = static_cast<char>(summary[0] - 'a' + 'A');
  text += "\n" + Wrapped(summary + ".", 0) + "\nOptions:\n";
  for (const OptionSpec& option : verb.options)
    text += OptionLines(std::string(option.name) + (option.value ? std::string(" ") + option.value : ""),
                        Named(option.help));
  text += OptionLines("-h, --help", "this help");
  if (*verb.notes) text += "\n" + Paragraphs(Named(verb.notes));
  text += "\nExample:\n  " + std::string(kToolName) + " " + verb.example + "\n";
  std::fputs(text.c_str(), to);
}

void PrintToolHelp(std::FILE* to) {
  const std::string tool = kToolName;
  const std::size_t column = tool.size() + 30;
  std::string text = "usage: " + tool + " VERB [ARGUMENTS]\n";
  text += OptionLines(tool + " help [VERB]",
                      "this help, or a verb's: its options with their ranges and defaults, and an example "
                      "(VERB --help and VERB -h say the same)",
                      column, "       ");
  text += OptionLines(tool + " --version", "the version", column, "       ");
  text += "\nVerbs:\n";
  for (const Verb& verb : AllVerbs()) text += OptionLines(verb.name, Named(verb.summary), 11);
  text += "\n";
  for (const Verb& verb : AllVerbs())
    for (const std::string& form : Lines(verb.usage)) text += "  " + tool + " " + verb.name + " " + form + "\n";
  text += "\n" + Paragraphs(
                     "A scene file (SCENE.ini) describes one load screen: see the examples folder. "
                     "--package DIR names the template package, a folder holding Templates/ and "
                     "Settings.ini; by default the one beside " +
                     tool + ".");
  text += "\nExample:\n  " + tool + " " + FindVerb("export")->example + "\n";
  std::fputs(text.c_str(), to);
}
