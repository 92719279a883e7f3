// One small package for every test of the program: its pictures take a while to encode.
#pragma once

#include "test_package.h"

inline const TestPackage& SharedPackage() {
  static TestPackage package;
  static const bool written = (package.WriteComplete(), true);
  (void)written;
  return package;
}
