#include "nearest_word.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Edits between a and b, a swap of two neighbours counting as one ("Camoes", "Cameos": 1).
std::size_t Distance(const std::string& a, const std::string& b) {
  const std::size_t n = a.size(), m = b.size();
  std::vector<std::vector<std::size_t>> d(n + 1, std::vector<std::size_t>(m + 1));
  for (std::size_t i = 0; i <= n; ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= m; ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= n; ++i)
    for (std::size_t j = 1; j <= m; ++j) {
      const std::size_t change = Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
      if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) && Lower(a[i - 2]) == Lower(b[j - 1]))
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[n][m];
}

}  // namespace

std::string NearestWord(const std::string& word, std::span<const char* const> known) {
  // Far longer words are no typing mistake, and the table would grow with them.
  if (word.size() > 64) return {};
  const std::size_t allowed = std::max<std::size_t>(1, word.size() / 3);
  std::string nearest;
  std::size_t best = allowed + 1;
  for (const char* candidate : known)
    if (const std::size_t distance = Distance(word, candidate); distance < best) {
      best = distance;
      nearest = candidate;
    }
  return nearest;
}

std::string DidYouMean(const std::string& word, std::span<const char* const> known) {
  const std::string nearest = NearestWord(word, known);
  return nearest.empty() ? std::string() : " (did you mean " + nearest + "?)";
}
