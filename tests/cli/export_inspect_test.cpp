// The export and inspect verbs, run as a user runs them, on a package of synthetic templates.
#include <gtest/gtest.h>

#include <algorithm>

#include "color_quantizer.h"
#include "export_test_support.h"
#include "image_files.h"
#include "memory_image.h"
#include "nearest_color.h"
#include "pal_file.h"
#include "run_tool.h"
#include "synthetic_screen.h"

namespace {

constexpr std::size_t kShpSize = 32 + 800 * 520;

class ExportInspect : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(InitImageFiles());
    package_ = new ScratchFolder;
    ASSERT_TRUE(synthetic::WritePackage(package_->Folder()));
    const std::string scene = "[LoadScreen]\nSide=Allied\nCameos=2\nLargeMapOffset=300,200\n";
    package_->Write("scene.ini", Bytes(scene.begin(), scene.end()));
  }
  static void TearDownTestSuite() {
    delete package_;
    package_ = nullptr;
  }

  static std::string Scene() { return package_->Path("scene.ini"); }
  static ScratchFolder* package_;
  // vantorel VERB SCENE ... --package PACKAGE
  static ToolRun Export(std::vector<std::string> args) {
    args.insert(args.begin(), {"export", Scene()});
    args.insert(args.end(), {"--package", package_->Folder()});
    return RunTool(args);
  }
  static ToolRun Render(const std::string& out) {
    return RunTool({"render", Scene(), "-o", out, "--package", package_->Folder()});
  }
  static MemoryImage Load(const std::string& path) {
    MemoryImage image;
    EXPECT_TRUE(LoadImageFile(path.c_str(), image)) << path;
    return image;
  }

  ScratchFolder work_;
};

ScratchFolder* ExportInspect::package_ = nullptr;

std::set<std::string> NamesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

std::size_t Lines(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(ExportInspect, ExportWritesSpriteAndPalette) {
  // What an export killed earlier left beside the same targets goes too.
  work_.Write("a.pal.~0123456789ab.tmp", Bytes(9, 1));
  work_.Write("a.shp.~00ff.bak", Bytes(9, 2));
  const ToolRun run = Export({"-o", work_.Path("a.shp"), "--palette", work_.Path("a.pal")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Bytes shp = ReadBytes(work_.Path("a.shp")), pal = ReadBytes(work_.Path("a.pal"));
  EXPECT_EQ(shp.size(), kShpSize);
  ASSERT_EQ(pal.size(), 768u);
  // Nothing on standard error but the note on pixels that would show transparent in the
  // games, when the new palette's entry 0 is not black.
  const auto onEntry0 = std::count(shp.begin() + 32, shp.end(), 0);
  const bool colouredEntry0 = pal[0] != 0 || pal[1] != 0 || pal[2] != 0;
  EXPECT_EQ(run.err,
            colouredEntry0 && onEntry0 > 0
                ? Scene() + ": " + std::to_string(onEntry0) +
                      " pixels use palette entry 0, which the games draw transparent. --keep-index0 keeps them "
                      "off it (in the editor: \"Leave palette entry 0 unused\").\n"
                : "");
  EXPECT_EQ(work_.Names(), (std::set<std::string>{"a.pal", "a.shp"}));
}

TEST_F(ExportInspect, InspectShowsTheNewPaletteSpriteAsTheNearestColours) {
  ASSERT_EQ(Render(work_.Path("r.png")).exitCode, 0);
  ASSERT_EQ(Export({"-o", work_.Path("a.shp"), "--palette", work_.Path("a.pal")}).exitCode, 0);
  const ToolRun inspect =
      RunTool({"inspect", work_.Path("a.shp"), "--palette", work_.Path("a.pal"), "-o", work_.Path("d.png")});
  ASSERT_EQ(inspect.exitCode, 0) << inspect.err;
  EXPECT_NE(inspect.out.find(": 800 x 520, 1 frame, 416032 bytes\n"), std::string::npos) << inspect.out;
  EXPECT_NE(inspect.out.find("frame 0: x 0, y 0, 800 x 520, flags 0 (raw), colour 0x00000000, offset 32\n"),
            std::string::npos)
      << inspect.out;

  // The export's palette is the quantizer's for the rendered picture; the decoded picture
  // shows each pixel's nearest entry as the PAL file keeps it (6 bits, read back times 4).
  const MemoryImage rendered = Load(work_.Path("r.png")), decoded = Load(work_.Path("d.png"));
  ASSERT_EQ(decoded.width, 800);
  ASSERT_EQ(decoded.height, 520);
  ColorQuantizer quantizer(256, 8);
  ASSERT_TRUE(quantizer.BuildFromImage(rendered));
  ColorTableEntry table[kPaletteSize] = {};
  quantizer.FillColorTable(table, kPaletteSize);
  Palette exact{};
  for (int i = 0; i < kPaletteSize; ++i) exact[i] = {table[i].red, table[i].green, table[i].blue};
  PalBytes written;
  const Bytes pal = ReadBytes(work_.Path("a.pal"));
  std::copy(pal.begin(), pal.end(), written.begin());
  EXPECT_EQ(written, PalBytesFromPalette(exact));
  const Palette shown = PaletteFromPalBytes(written);
  int mismatches = 0;
  for (int y = 0; y < 520; ++y)
    for (int x = 0; x < 800; ++x) {
      const Pixel p = rendered.ReadPixel(x, y);
      const PaletteColour& c = shown[FindNearestColor(exact, RedOf(p), GreenOf(p), BlueOf(p), 256)];
      mismatches += decoded.ReadPixel(x, y) != MakePixel(c.red, c.green, c.blue);
    }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(ExportInspect, ExistingPaletteIsOnlyReadAndLimitedToTheColourCount) {
  Bytes pal(768);
  for (std::size_t i = 0; i < pal.size(); ++i) pal[i] = static_cast<std::uint8_t>((i * 37 + i / 3) % 64);
  work_.Write("game.pal", pal);
  ASSERT_EQ(Render(work_.Path("r.png")).exitCode, 0);
  const ToolRun run = Export({"-o", work_.Path("a.shp"), "--use-palette", work_.Path("game.pal"), "--colors", "100"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadBytes(work_.Path("game.pal")), pal);
  ASSERT_EQ(RunTool({"inspect", work_.Path("a.shp"), "--palette", work_.Path("game.pal"), "-o", work_.Path("d.png")})
                .exitCode,
            0);
  PalBytes bytes;
  std::copy(pal.begin(), pal.end(), bytes.begin());
  const Palette palette = PaletteFromPalBytes(bytes);
  const MemoryImage rendered = Load(work_.Path("r.png")), decoded = Load(work_.Path("d.png"));
  int mismatches = 0;
  for (int y = 0; y < 520; ++y)
    for (int x = 0; x < 800; ++x) {
      const Pixel p = rendered.ReadPixel(x, y);
      const PaletteColour& c = palette[FindNearestColor(palette, RedOf(p), GreenOf(p), BlueOf(p), 100)];
      mismatches += decoded.ReadPixel(x, y) != MakePixel(c.red, c.green, c.blue);
    }
  EXPECT_EQ(mismatches, 0);
  const Bytes shp = ReadBytes(work_.Path("a.shp"));
  EXPECT_LT(*std::max_element(shp.begin() + 32, shp.end()), 100);
  // Entry 0 of this palette is not black: the games would show those pixels transparent.
  const auto onEntry0 = std::count(shp.begin() + 32, shp.end(), 0);
  EXPECT_GT(onEntry0, 1);
  EXPECT_NE(run.err.find(std::to_string(onEntry0) + " pixels use palette entry 0, which the games draw transparent."),
            std::string::npos)
      << run.err;
}

TEST_F(ExportInspect, ColourCountsAreCheckedNotClamped) {
  // One colour: every pixel on entry 0.
  ASSERT_EQ(Export({"-o", work_.Path("a.shp"), "--palette", work_.Path("a.pal"), "--colors", "1"}).exitCode, 0);
  const Bytes shp = ReadBytes(work_.Path("a.shp"));
  EXPECT_TRUE(std::all_of(shp.begin() + 32, shp.end(), [](std::uint8_t b) { return b == 0; }));
  ASSERT_EQ(Export({"-o", work_.Path("a.shp"), "--palette", work_.Path("a.pal"), "--colors", "256"}).exitCode, 0);
  // The editor's field clamps what is typed; a script's mistake is refused, nothing written.
  for (const char* count : {"0", "-7", "257", "300", "99999999999999999999", "12x", "1.5", "", " 8"}) {
    const ToolRun run = Export({"-o", work_.Path("b.shp"), "--palette", work_.Path("b.pal"), "--colors", count});
    EXPECT_EQ(run.exitCode, 2) << count;
    EXPECT_NE(run.err.find("--colors takes a number of colours 1..256, not '" + std::string(count) + "'"),
              std::string::npos)
        << run.err;
  }
  EXPECT_EQ(work_.Names(), (std::set<std::string>{"a.pal", "a.shp"}));
}

// A failing command: exits non-zero with one line on stderr, and changes no file.
struct BadExport {
  const char* what;
  std::vector<std::string> args;  // "@" stands for the work folder
  const char* errorPart;
};

TEST_F(ExportInspect, BadExportsChangeNothing) {
  const BadExport cases[] = {
      {"missing palette", {"-o", "@/out.shp", "--use-palette", "@/missing.pal"}, "PAL file open error!"},
      {"short palette",
       {"-o", "@/out.shp", "--use-palette", "@/short.pal"},
       "short.pal: not a PAL palette: it has 767 bytes (a PAL file is 768 bytes"},
      {"output folder missing", {"-o", "@/nowhere/out.shp", "--palette", "@/out.pal"}, "SHP file open error!"},
      {"palette folder missing",
       {"-o", "@/out.shp", "--palette", "@/nowhere/out.pal"},
       "Palette file create error! (the folder "},
      {"output is a folder", {"-o", "@/folder.shp", "--palette", "@/out.pal"}, "SHP file open error! (it is a folder)"},
      {"same file twice", {"-o", "@/out.shp", "--palette", "@/out.shp"}, "must be different files"},
      {"both palette options",
       {"-o", "@/out.shp", "--palette", "@/out.pal", "--use-palette", "@/out.pal"},
       "exactly one"},
      {"no palette option", {"-o", "@/out.shp"}, "exactly one"},
      {"no output", {"--palette", "@/out.pal"}, "-o"},
      {"colour count not a number", {"-o", "@/out.shp", "--palette", "@/out.pal", "--colors", "many"}, "--colors"},
      {"colour count with trailing text", {"-o", "@/out.shp", "--palette", "@/out.pal", "--colors", "12x"}, "--colors"},
      {"option given twice", {"-o", "@/out.shp", "-o", "@/b.shp", "--palette", "@/out.pal"}, "twice"},
      {"unknown quantizer", {"-o", "@/out.shp", "--palette", "@/out.pal", "--quantizer", "median"}, "median"},
      {"quantizer for an existing palette",
       {"-o", "@/out.shp", "--use-palette", "@/out.pal", "--quantizer", "best"},
       "--quantizer"},
      {"index 0 kept with one colour",
       {"-o", "@/out.shp", "--palette", "@/out.pal", "--keep-index0", "--colors", "1"},
       "--keep-index0"},
      {"flag given twice", {"-o", "@/out.shp", "--palette", "@/out.pal", "--dither", "--dither"}, "twice"},
      {"output folder is a file", {"--out-dir", "@/out.shp"}, "not a folder"},
      {"output folder cannot be made", {"--out-dir", "@/out.shp/sub"}, "cannot make"},
      {"output folder and -o", {"--out-dir", "@/new", "-o", "@/out.shp"}, "--out-dir"},
  };
  const Bytes earlierShp(40, 0x5A), earlierPal(768, 0x21), shortPal(767, 1);
  for (const BadExport& c : cases) {
    ScratchFolder folder;
    folder.Write("out.shp", earlierShp);
    folder.Write("out.pal", earlierPal);
    folder.Write("short.pal", shortPal);
    std::filesystem::create_directory(folder.Path("folder.shp"));
    const std::set<std::string> before = folder.Names();
    std::vector<std::string> args;
    for (std::string arg : c.args) {
      if (arg[0] == '@') arg = folder.Folder() + arg.substr(1);
      args.push_back(arg);
    }
    const ToolRun run = Export(args);
    EXPECT_NE(run.exitCode, 0) << c.what;
    EXPECT_EQ(Lines(run.err), 1u) << c.what << ": " << run.err;
    EXPECT_NE(run.err.find(c.errorPart), std::string::npos) << c.what << ": " << run.err;
    EXPECT_EQ(run.out, "") << c.what;
    EXPECT_EQ(folder.Names(), before) << c.what;
    EXPECT_EQ(ReadBytes(folder.Path("out.shp")), earlierShp) << c.what;
    EXPECT_EQ(ReadBytes(folder.Path("out.pal")), earlierPal) << c.what;
  }
}

// A batch: every good scene is written, as a single export would write it; the bad one is
// reported on one line and the exit status says so.
TEST_F(ExportInspect, BatchWritesEveryGoodSceneAndReportsTheBadOne) {
  const std::string good = "[LoadScreen]\nSide=Allied\nLargeMapOffset=10,20\n", bad = "[LoadScreen]\nSide=Martian\n";
  const std::string a = work_.Write("a.ini", Bytes(good.begin(), good.end()));
  const std::string b = work_.Write("b.ini", Bytes(bad.begin(), bad.end()));
  const std::vector<std::string> options = {"--quantizer",   "best",      "--dither",
                                            "--keep-index0", "--package", package_->Folder()};
  std::vector<std::string> args = {"export", Scene(), b, a, "--out-dir", work_.Path("out")};
  args.insert(args.end(), options.begin(), options.end());
  const ToolRun batch = RunTool(args);
  EXPECT_EQ(batch.exitCode, 1);
  EXPECT_EQ(Lines(batch.err), 1u) << batch.err;
  EXPECT_NE(batch.err.find("b.ini"), std::string::npos) << batch.err;
  EXPECT_EQ(Lines(batch.out), 3u) << batch.out;
  EXPECT_NE(batch.out.find("exported 2 of 3 scenes, 1 failed"), std::string::npos) << batch.out;
  EXPECT_EQ(NamesIn(work_.Path("out")), (std::set<std::string>{"a.pal", "a.shp", "scene.pal", "scene.shp"}));
  for (const std::string& scene : {a, Scene()}) {
    args = {"export", scene, "-o", work_.Path("one.shp"), "--palette", work_.Path("one.pal")};
    args.insert(args.end(), options.begin(), options.end());
    ASSERT_EQ(RunTool(args).exitCode, 0);
    const std::string name = scene == a ? "a" : "scene";
    EXPECT_EQ(ReadBytes(work_.Path("out/" + name + ".shp")), ReadBytes(work_.Path("one.shp"))) << name;
    EXPECT_EQ(ReadBytes(work_.Path("out/" + name + ".pal")), ReadBytes(work_.Path("one.pal"))) << name;
  }
  const Bytes shp = ReadBytes(work_.Path("one.shp"));
  EXPECT_EQ(std::count(shp.begin() + 32, shp.end(), 0), 0);  // index 0 kept free

  const ToolRun render =
      RunTool({"render", Scene(), a, "--out-dir", work_.Path("pictures"), "--package", package_->Folder()});
  EXPECT_EQ(render.exitCode, 0) << render.err;
  ASSERT_EQ(Render(work_.Path("one.png")).exitCode, 0);
  EXPECT_EQ(ReadBytes(work_.Path("pictures/scene.png")), ReadBytes(work_.Path("one.png")));
  EXPECT_TRUE(FileExists(work_.Path("pictures/a.png")));
}

TEST_F(ExportInspect, SceneThatFailsToLoadChangesNothing) {
  work_.Write("out.shp", Bytes(3, 3));
  const std::string bad = "[LoadScreen]\nSide=Martian\n";
  for (const std::string& scene : {work_.Write("bad.ini", Bytes(bad.begin(), bad.end())), work_.Path("none.ini")}) {
    const ToolRun run = RunTool({"export", scene, "-o", work_.Path("out.shp"), "--palette", work_.Path("out.pal")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(Lines(run.err), 1u) << run.err;
    EXPECT_EQ(ReadBytes(work_.Path("out.shp")), Bytes(3, 3));
    EXPECT_FALSE(FileExists(work_.Path("out.pal")));
  }
  const ToolRun noPackage = RunTool({"export", Scene(), "-o", work_.Path("out.shp"), "--palette", work_.Path("out.pal"),
                                     "--package", work_.Path("nowhere")});
  EXPECT_NE(noPackage.exitCode, 0);
  EXPECT_NE(noPackage.err.find(work_.Path("nowhere") + ": the package folder does not exist"), std::string::npos)
      << noPackage.err;
  EXPECT_EQ(ReadBytes(work_.Path("out.shp")), Bytes(3, 3));
  EXPECT_EQ(work_.Names(), (std::set<std::string>{"bad.ini", "out.shp"}));
}

TEST_F(ExportInspect, InspectRefusesBadInputWithOneLine) {
  ASSERT_EQ(Export({"-o", work_.Path("a.shp"), "--palette", work_.Path("a.pal")}).exitCode, 0);
  Bytes truncated = ReadBytes(work_.Path("a.shp"));
  truncated.resize(1000);
  work_.Write("truncated.shp", truncated);
  Bytes outside = ReadBytes(work_.Path("a.shp"));
  outside[8] = 10;  // frame x 10: the 800-wide frame leaves the sprite
  work_.Write("outside.shp", outside);
  work_.Write("short.pal", Bytes(767, 0));
  const std::vector<std::vector<std::string>> cases = {
      {"inspect", work_.Path("truncated.shp")},
      {"inspect", work_.Path("outside.shp"), "--palette", work_.Path("a.pal"), "-o", work_.Path("d.png")},
      {"inspect", work_.Path("missing.shp")},
      {"inspect", work_.Path("a.shp"), "--palette", work_.Path("short.pal"), "-o", work_.Path("d.png")},
      {"inspect", work_.Path("a.shp"), "--palette", work_.Path("missing.pal"), "-o", work_.Path("d.png")},
      {"inspect", work_.Path("a.shp"), "--palette", work_.Path("a.pal")},
      {"inspect"},
  };
  for (const auto& args : cases) {
    const ToolRun run = RunTool(args);
    EXPECT_NE(run.exitCode, 0) << args.back();
    EXPECT_EQ(Lines(run.err), 1u) << run.err;
    EXPECT_FALSE(FileExists(work_.Path("d.png")));
  }
  const ToolRun listing = RunTool({"inspect", work_.Path("a.shp")});
  EXPECT_EQ(listing.exitCode, 0);
  EXPECT_EQ(Lines(listing.out), 2u) << listing.out;
}

}  // namespace
