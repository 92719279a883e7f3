// The tool's help as a newcomer asks for it: `help`, `--help`, `-h`, and for each verb
// `help VERB`, `VERB --help`, `VERB -h`; the tool names itself as its file is called.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "run_tool.h"

namespace {

// "vantorel", or "vantorel-cli" for the Windows build's vantorel-cli.exe.
const std::string kTool = std::filesystem::path(VANTOREL_TOOL_PATH).stem().string();

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The text with its lines joined, so that a phrase is found wherever the help wraps it.
std::string Flat(const std::string& text) {
  std::string flat;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') {
      flat += text[i];
      continue;
    }
    flat += ' ';
    while (i + 1 < text.size() && text[i + 1] == ' ') ++i;
  }
  return flat;
}

TEST(ToolHelp, EveryVerbShowsItsUsageOptionsAndAnExample) {
  const ToolRun general = RunTool({"--help"});
  ASSERT_EQ(general.exitCode, 0) << general.err;
  for (const char* part : {"usage: ", " help [VERB]", " --version", "\nVerbs:\n", "\nExample:\n"})
    EXPECT_TRUE(Has(general.out, part)) << part << "\n" << general.out;
  EXPECT_TRUE(Has(general.out, "usage: " + kTool + " VERB")) << general.out;
  EXPECT_EQ(RunTool({"help"}).out, general.out);
  EXPECT_EQ(RunTool({"-h"}).out, general.out);
  EXPECT_EQ(RunTool({"--version"}).out, kTool + " 1.11\n");

  // Each verb: its forms, every option it takes with what the option does, and one example.
  const std::vector<std::pair<std::string, std::vector<std::string>>> verbs = {
      {"render", {"-o OUT.png", "--out-dir DIR", "--format TYPE", "--package DIR"}},
      {"export",
       {"-o OUT.shp", "--palette OUT.pal", "--use-palette IN.pal", "--out-dir DIR", "--colors N", "--quantizer NAME",
        "--dither", "--keep-index0", "--package DIR", "--mix OUT.mix", "--mission MAP", "--defaults",
        "--mission-file FILE.ini", "--ls640 FILE.shp"}},
      {"inspect", {"--palette P.pal", "-o OUT.png", "--names A.SHP,B.PAL"}},
      {"pack", {"--add-to EXISTING.mix"}},
  };
  for (const auto& [verb, options] : verbs) {
    const ToolRun help = RunTool({"help", verb});
    ASSERT_EQ(help.exitCode, 0) << verb << ": " << help.err;
    EXPECT_TRUE(Has(help.out, "usage: " + kTool + " " + verb + " ")) << help.out;
    EXPECT_TRUE(Has(help.out, "\nExample:\n  " + kTool + " " + verb + " ")) << help.out;
    EXPECT_TRUE(Has(general.out, "\n  " + verb + " ")) << verb << " is missing from the list of verbs";
    for (const std::string& option : options)
      EXPECT_TRUE(Has(help.out, "\n  " + option + " ") || Has(help.out, "\n  " + option + "\n"))
          << verb << " " << option;
    EXPECT_TRUE(Has(help.out, "\n  -h, --help ")) << verb;
    // The same text however it is asked for, also after other arguments.
    for (const std::vector<std::string>& ask :
         {std::vector<std::string>{verb, "--help"}, {verb, "-h"}, {verb, "scene.ini", "--package", "p", "-h"}}) {
      const ToolRun again = RunTool(ask);
      EXPECT_EQ(again.exitCode, 0) << verb;
      EXPECT_EQ(again.out, help.out) << verb;
    }
  }

  // export says the ranges and defaults, which quantizer gives the best picture, and what
  // dithering and --keep-index0 do.
  const std::string exportHelp = Flat(RunTool({"help", "export"}).out);
  for (const char* part : {"1..256, default 256", "octree (default) or best", "best picture: --quantizer best",
                           "Dithering (--dither)", "--keep-index0 keeps every pixel", "Leave palette entry 0 unused"})
    EXPECT_TRUE(Has(exportHelp, part)) << part;

  // "-h" as an option's value is that value, not a question.
  const ToolRun value = RunTool({"export", "scene.ini", "-o", "-h", "--palette", "p.pal"});
  EXPECT_EQ(value.exitCode, 2);
  EXPECT_TRUE(Has(value.err, "-o -h: the name must end in .shp")) << value.err;

  // A mistyped verb or option gets the nearest known one, and where to read more.
  ToolRun wrong = RunTool({"exprot"});
  EXPECT_EQ(wrong.exitCode, 2);
  EXPECT_EQ(wrong.err, kTool + ": unknown verb 'exprot' (did you mean export?) (see " + kTool + " --help)\n");
  wrong = RunTool({"help", "bogus"});
  EXPECT_EQ(wrong.exitCode, 2);
  EXPECT_TRUE(Has(wrong.err, "unknown verb 'bogus'")) << wrong.err;
  wrong = RunTool({"export", "scene.ini", "--colours", "8"});
  EXPECT_EQ(wrong.exitCode, 2);
  EXPECT_EQ(wrong.err, kTool + ": unknown option --colours (did you mean --colors?) (see " + kTool + " help export)\n");
  const ToolRun none = RunTool({});
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_TRUE(Has(none.err, "usage: " + kTool + " VERB")) << none.err;
}

}  // namespace
