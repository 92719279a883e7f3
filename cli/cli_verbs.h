// The verbs of the command-line tool, one entry each.
#pragma once

#include "export_command.h"
#include "inspect_command.h"
#include "pack_command.h"
#include "render_command.h"

struct Verb {
  const char* name;
  int (*run)(int argc, char** argv);
};

inline constexpr Verb kVerbs[] = {
    {"render", RunRender},
    {"export", RunExport},
    {"inspect", RunInspect},
    {"pack", RunPack},
};
