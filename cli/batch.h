// Running one verb over many scene files on every core.
//
// Each scene is worked on by one thread from start to end; the threads share only the
// template cache and the output lines. One line per scene goes to standard output as it
// finishes ("exported 3/20 a.ini -> DIR/a.shp, DIR/a.pal (41 ms)"), a failure as one line
// on standard error, and a summary line at the end; the other scenes go on after a failure.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "image_file_cache.h"

// What one scene's work produced: the files written, or the one-line error.
struct SceneOutcome {
  bool ok = false;
  std::string written;  // "DIR/a.shp, DIR/a.pal"
  std::string error;
};

// The output path for a scene: DIR/<scene file name without its extension><extension>.
std::string OutputPathFor(const std::string& outDir, const std::string& scene, const std::string& extension);

// Two scenes that would write the same file, as "a/x.ini and b/x.ini"; empty when none do.
std::string SharedOutputName(const std::vector<std::string>& scenes);

// Makes the output folder (and its parents). False with a message when it exists as
// something else or cannot be made.
bool MakeOutputFolder(const std::string& outDir, std::string& error);

// Runs work(scene, cache) for every scene on up to `threads` threads (0: two per core),
// printing the lines above with `verb` ("exported", "rendered"). Every scene's images on
// the package in `appDir` are announced to the cache first, so the threads share out the
// decoding of the templates rather than wait for each other's. Returns the exit code: 0
// when every scene succeeded, 1 otherwise.
int RunBatch(const std::vector<std::string>& scenes, const std::string& appDir, const char* verb, unsigned threads,
             const std::function<SceneOutcome(const std::string& scene, ImageFileCache& cache)>& work);
