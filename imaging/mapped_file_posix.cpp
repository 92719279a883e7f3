#include "mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

std::shared_ptr<MappedFile> MappedFile::Open(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat status {};
  void* view = MAP_FAILED;
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
    view = mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ | PROT_WRITE, MAP_PRIVATE, fd, 0);
  close(fd);  // the mapping keeps the file
  if (view == MAP_FAILED) return nullptr;
  return std::shared_ptr<MappedFile>(
      new MappedFile(static_cast<std::uint8_t*>(view), static_cast<std::size_t>(status.st_size)));
}

MappedFile::~MappedFile() { munmap(data_, size_); }

const bool kMappingBeatsCopying = false;
