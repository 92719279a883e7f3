// Runs the built vantorel tool (its path comes from the build as VANTOREL_TOOL_PATH) and
// collects its exit code, standard output and standard error (line ends as "\n").
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

struct ToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

namespace tool_detail {
// The text of an output file, with Windows line ends read as "\n".
inline std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text(std::istreambuf_iterator<char>(in), {});
  std::string lines;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lines += text[i];
  return lines;
}

inline std::string ToolPath() {
  std::string path = VANTOREL_TOOL_PATH;
#ifdef _WIN32
  // Under Wine the build's Unix path is reached through drive Z:.
  if (!path.empty() && path[0] == '/') path = std::string("Z:").append(path);
  for (char& c : path)
    if (c == '/') c = '\\';
#endif
  return path;
}

// Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about "literal" + string here.
inline void AppendQuoted(std::string& command, const std::string& word) {
  command.append(" \"").append(word).append("\"");
}
}  // namespace tool_detail

// Runs `PROGRAM ARGS...`; each argument is passed quoted (no quotes inside arguments).
// `prefix` goes before the program on the command line (POSIX tests put "timeout 60 " there,
// or variables of the environment).
inline ToolRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                          const std::string& prefix = {}) {
  namespace fs = std::filesystem;
  std::random_device random;
  const fs::path base = fs::temp_directory_path() / ("vantorel-run-" + std::to_string(random()));
  const fs::path out = base.string() + ".out", err = base.string() + ".err";
  std::string command = prefix;
  tool_detail::AppendQuoted(command, program);
  for (const std::string& arg : args) tool_detail::AppendQuoted(command, arg);
  command.append(" >");
  tool_detail::AppendQuoted(command, out.string());
  command.append(" 2>");
  tool_detail::AppendQuoted(command, err.string());
#ifdef _WIN32
  // cmd.exe drops the first and last quote of a line that starts with one.
  command = std::string(1, '"').append(command).append(1, '"');
#endif
  const int status = std::system(command.c_str());
  ToolRun run;
#ifdef _WIN32
  run.exitCode = status;
#else
  run.exitCode = (status & 0x7F) ? -1 : (status >> 8) & 0xFF;  // killed by a signal: -1
#endif
  run.out = tool_detail::Slurp(out);
  run.err = tool_detail::Slurp(err);
  std::error_code ignored;
  fs::remove(out, ignored);
  fs::remove(err, ignored);
  return run;
}

// Runs `vantorel ARGS...` as built.
inline ToolRun RunTool(const std::vector<std::string>& args, const std::string& prefix = {}) {
  return RunProgram(tool_detail::ToolPath(), args, prefix);
}
