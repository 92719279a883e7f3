#include "replace_files_together.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "replace_file.h"

namespace {

// Writes all bytes and closes; on failure the reason, and the partial file removed.
bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& reason) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    reason = std::strerror(errno);
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  if (!ok) reason = std::strerror(errno);
  if (std::fclose(file) != 0 && ok) {
    reason = std::strerror(errno);
    ok = false;
  }
  if (!ok) RemoveFileQuietly(path);
  return ok;
}

struct Placement {
  std::string temp;   // the new content, until it is put in place
  std::string aside;  // the previous file while the new one goes in; empty when there was none
  bool placed = false;
};

// Takes a placed file out again and brings its previous one back.
void TakeBack(const FileContent& file, Placement& p, const RenameStep& rename) {
  if (p.placed) RemoveFileQuietly(file.path);
  if (!p.aside.empty()) rename(p.aside, file.path);
}

}  // namespace

bool ReplaceFilesTogether(const std::vector<FileContent>& files, std::string& error) {
  return ReplaceFilesTogether(files, error, ReplaceFileWith);
}

bool ReplaceFilesTogether(const std::vector<FileContent>& files, std::string& error, const RenameStep& rename) {
  for (const FileContent& file : files)
    if (PathIsFolder(file.path)) {
      error = "cannot replace " + file.path + ": it is a folder";
      return false;
    }
  std::vector<Placement> placements(files.size());
  auto removeTemps = [&] {
    for (Placement& p : placements)
      if (!p.placed && !p.temp.empty()) RemoveFileQuietly(p.temp);
  };

  for (std::size_t i = 0; i < files.size(); ++i) {
    placements[i].temp = TempPathBeside(files[i].path, FileExtension(files[i].path));
    std::string reason;
    if (!WriteWholeFile(placements[i].temp, files[i].bytes, reason)) {
      placements[i].temp.clear();
      removeTemps();
      error = "cannot write " + files[i].path + ": " + reason;
      return false;
    }
  }

  for (std::size_t i = 0; i < files.size(); ++i) {
    Placement& p = placements[i];
    const FileContent& file = files[i];
    bool ok = true;
    if (PathExists(file.path)) {
      p.aside = TempPathBeside(file.path, ".bak");
      ok = rename(file.path, p.aside);
      if (!ok) p.aside.clear();
    }
    ok = ok && rename(p.temp, file.path);
    if (!ok) {
      error = "cannot replace " + file.path + ": " + LastReplaceErrorText();
      for (std::size_t j = i + 1; j-- > 0;) TakeBack(files[j], placements[j], rename);
      removeTemps();
      return false;
    }
    p.placed = true;
  }
  for (const Placement& p : placements)
    if (!p.aside.empty()) RemoveFileQuietly(p.aside);
  return true;
}
