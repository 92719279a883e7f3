// The known word a mistyped one was most likely meant to be, for messages such as
// "unknown key 'Camoes' (did you mean Cameos?)".
#pragma once

#include <span>
#include <string>

// The word of `known` nearest to `word`, ignoring ASCII case: fewest letters inserted,
// deleted, changed or swapped with their neighbour, and at most a third of the word's
// letters (at least 1). The first such word in `known` when several are as near; empty
// when none is near enough.
std::string NearestWord(const std::string& word, std::span<const char* const> known);

// " (did you mean WORD?)" for the nearest word, or empty.
std::string DidYouMean(const std::string& word, std::span<const char* const> known);
