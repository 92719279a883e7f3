// The shipped examples are ready for the game as they stand: no marker exported with its
// selection outline, the magnified map showing what the small target box frames (as the
// editor's Align leaves it), and the entry-0 note saying how to avoid it.
#include <gtest/gtest.h>

#include "load_screen_document.h"
#include "map_alignment.h"
#include "run_tool.h"
#include "scene_reader.h"
#include "temp_folder.h"

namespace {

const std::string kSource = VANTOREL_SOURCE_DIR;
const std::string kPackage = kSource + "/resources/package/";

TEST(ShippedExamples, AreGameReady) {
  for (const char* name : {"allied_invasion", "soviet_offensive", "yuri_upper_layer_off"}) {
    LoadScreenDocument document;
    document.appDir = kPackage;
    std::string error;
    ASSERT_TRUE(LoadScene(kSource + "/examples/" + name + ".ini", document, error)) << error;
    for (int i = 0; i < document.markers.Count(); ++i)
      EXPECT_FALSE(document.markers.MarkerAt(i).selected) << name << ": marker " << i + 1;
    EXPECT_EQ(document.selectedMarker, -1) << name;
    const Point aligned = AlignedLargeMapOffset(document);
    EXPECT_TRUE(document.largeMapOffset.x == aligned.x && document.largeMapOffset.y == aligned.y)
        << name << ": LargeMapOffset=" << aligned.x << "," << aligned.y << " lines the maps up";
  }

  // Its octree palette's entry 0 is not black: the note names the way out, in the tool and
  // in the editor.
  TempFolder folder;
  const ToolRun run = RunTool({"export", kSource + "/examples/allied_invasion.ini", "-o", folder.Path("a.shp"),
                               "--palette", folder.Path("a.pal"), "--package", kPackage});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find(" pixels use palette entry 0, which the games draw transparent. --keep-index0 keeps them "
                         "off it (in the editor: \"Leave palette entry 0 unused\").\n"),
            std::string::npos)
      << run.err;
}

}  // namespace
