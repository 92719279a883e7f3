#include "flag_options.h"

#include <algorithm>

bool TakeFlags(int argc, char** argv, const std::vector<std::string>& flags, std::vector<char*>& rest,
               std::set<std::string>& given, std::string& error) {
  for (int i = 0; i < argc; ++i) {
    const std::string word = argv[i];
    if (std::find(flags.begin(), flags.end(), word) == flags.end()) {
      rest.push_back(argv[i]);
      continue;
    }
    if (!given.insert(word).second) {
      error = "option " + word + " given twice";
      return false;
    }
  }
  return true;
}
