// The verbs of the command-line tool. Each verb is one table entry: the options its parser
// knows are the options its help lists, so the two cannot drift apart.
#pragma once

#include <span>
#include <string>

#include "command_line.h"

struct Verb {
  const char* name;     // "export"
  const char* summary;  // one line for the list of verbs
  // The forms of the command, one a line, each after "<tool> <verb> ".
  const char* usage;
  std::span<const OptionSpec> options;
  // What to know beyond the options (paragraphs, lines ending with '\n'); may be empty.
  const char* notes;
  const char* example;  // one command line after "<tool> "
  // Runs the verb on its parsed arguments; returns the exit code.
  int (*run)(const Arguments& args);
};

// Every verb, in the order the help lists them.
std::span<const Verb> AllVerbs();
// The verb of that name, or null.
const Verb* FindVerb(const std::string& name);
