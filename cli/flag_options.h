// Options without a value ("--dither"): taken out of argv before the value options are
// scanned, so the scan sees only words and "--name value" pairs.
#pragma once

#include <set>
#include <string>
#include <vector>

// Moves every word of argv that is one of `flags` into `given` and the others, in order,
// into `rest`. False with a message when a flag is given twice.
bool TakeFlags(int argc, char** argv, const std::vector<std::string>& flags, std::vector<char*>& rest,
               std::set<std::string>& given, std::string& error);
