// The command-line tool. Each verb parses its arguments by its table (verb.h), calls the same
// core functions the editor calls, prints errors on stderr and exits non-zero on failure.
#include <cstdio>
#include <string>
#include <vector>

#include "decoded_image_store.h"
#include "gif_writer.h"
#include "help_text.h"
#include "nearest_word.h"
#include "process_memory.h"
#include "verb.h"

namespace {

int UnknownVerb(const std::string& word) {
  std::vector<const char*> names;
  for (const Verb& verb : AllVerbs()) names.push_back(verb.name);
  return UsageError("unknown verb '" + word + "'" + DidYouMean(word, names));
}

// "help", "help VERB", "--help VERB".
int Help(int argc, char** argv) {
  if (argc < 3) {
    PrintToolHelp(stdout);
    return 0;
  }
  const Verb* verb = FindVerb(argv[2]);
  if (!verb) return UnknownVerb(argv[2]);
  PrintVerbHelp(*verb, stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  PrepareProcessMemory();
  // Large pictures (the templates' maps and frames) decoded once are read back from the
  // user's cache on later runs.
  UseDecodedImageStore(UserImageCacheFolder());
  EnableGifWriting();
  if (argc < 2) {
    PrintToolHelp(stderr);
    return 2;
  }
  const std::string first = argv[1];
  if (first == "help" || first == "--help" || first == "-h") return Help(argc, argv);
  if (first == "--version") {
    std::printf("%s 1.11\n", kToolName);
    return 0;
  }
  const Verb* verb = FindVerb(first);
  if (!verb) return UnknownVerb(first);
  SetRunningVerb(verb->name);
  if (AsksForHelp(argc - 2, argv + 2, verb->options)) {
    PrintVerbHelp(*verb, stdout);
    return 0;
  }
  Arguments args;
  std::string error;
  if (!ParseArguments(argc - 2, argv + 2, verb->options, args, error)) return UsageError(error);
  return verb->run(args);
}
