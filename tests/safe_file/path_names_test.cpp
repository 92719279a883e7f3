// A path's name and folder, at either separator.
#include <gtest/gtest.h>

#include "path_names.h"

namespace {

TEST(PathNames, SplitAtTheLastSeparatorOfEitherKind) {
  struct Row {
    const char* path;
    const char* folder;
    const char* name;
  };
  const Row rows[] = {{"C:\\scenes\\mission1.ini", "C:\\scenes\\", "mission1.ini"},
                      {"maps/a.b/sov01.shp", "maps/a.b/", "sov01.shp"},
                      {"mix\\dir/x.pal", "mix\\dir/", "x.pal"},
                      {"bare.ini", "", "bare.ini"},
                      {"C:\\", "C:\\", ""},
                      {"", "", ""}};
  for (const Row& row : rows) {
    EXPECT_EQ(FolderOfPath(row.path), row.folder) << row.path;
    EXPECT_EQ(FileNameOfPath(row.path), row.name) << row.path;
    EXPECT_EQ(FileNameStart(row.path), std::string(row.folder).size()) << row.path;
  }
}

}  // namespace
