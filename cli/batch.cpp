#include "batch.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "command_line.h"
#include "folder_sync_batch.h"
#include "load_screen_document.h"
#include "scene_reader.h"

namespace fs = std::filesystem;

namespace {
std::string BaseName(const std::string& scene) { return fs::path(scene).stem().string(); }
}  // namespace

std::string OutputPathFor(const std::string& outDir, const std::string& scene, const std::string& extension) {
  std::string folder = outDir;
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += kPathSeparator;
  return folder + BaseName(scene) + extension;
}

std::string SharedOutputName(const std::vector<std::string>& scenes) {
  std::map<std::string, std::string> byName;
  for (const std::string& scene : scenes) {
    std::string name = BaseName(scene);
#ifdef _WIN32
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
#endif
    const auto [at, fresh] = byName.emplace(name, scene);
    if (!fresh) return at->second + " and " + scene;
  }
  return "";
}

bool MakeOutputFolder(const std::string& outDir, std::string& error) {
  std::error_code code;
  if (fs::exists(outDir, code) && !fs::is_directory(outDir, code)) {
    error = outDir + ": --out-dir names a file, not a folder";
    return false;
  }
  fs::create_directories(outDir, code);
  if (!fs::is_directory(outDir, code)) {
    error = outDir + ": cannot make the output folder";
    return false;
  }
  return true;
}

int RunBatch(const std::vector<std::string>& scenes, const std::string& appDir, const char* verb, unsigned threads,
             const std::function<SceneOutcome(const std::string& scene, ImageFileCache& cache)>& work) {
  // Two threads a core: each scene ends waiting for the disk to flush its files, and the
  // other thread of the core works meanwhile.
  if (threads == 0) threads = 2 * std::max(1u, std::thread::hardware_concurrency());
  threads = std::min<unsigned>(threads, static_cast<unsigned>(scenes.size()));
  ImageFileCache cache;
  for (const std::string& scene : scenes) cache.Prefetch(SceneImageFiles(scene, appDir));
  std::atomic<std::size_t> next{0};
  std::mutex output;
  std::size_t done = 0, failed = 0;
  auto worker = [&] {
    for (std::size_t i; (i = next++) < scenes.size();) {
      const auto start = std::chrono::steady_clock::now();
      const SceneOutcome outcome = work(scenes[i], cache);
      const long long ms =
          std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
      std::lock_guard<std::mutex> lock(output);
      ++done;
      if (outcome.ok) {
        // printf's %zu is not there on every C runtime, hence to_string.
        std::printf("%s %s/%s %s -> %s (%s ms)\n", verb, std::to_string(done).c_str(),
                    std::to_string(scenes.size()).c_str(), scenes[i].c_str(), outcome.written.c_str(),
                    std::to_string(ms).c_str());
        std::fflush(stdout);
      } else {
        ++failed;
        std::fprintf(stderr, "%s: %s\n", kToolName, outcome.error.c_str());
      }
    }
  };
  // The output folder is flushed once, after the last scene, not after each.
  std::optional<FolderSyncBatch> folderSyncs(std::in_place);
  std::vector<std::thread> pool;
  try {
    for (unsigned t = 1; t < threads; ++t) pool.emplace_back(worker);
  } catch (const std::system_error&) {
    // Fewer threads than asked for: the ones there (and this one) share the work.
  }
  worker();
  for (std::thread& thread : pool) thread.join();
  folderSyncs.reset();
  std::printf("%s %s of %s scenes, %s failed\n", verb, std::to_string(scenes.size() - failed).c_str(),
              std::to_string(scenes.size()).c_str(), std::to_string(failed).c_str());
  return failed ? 1 : 0;
}
