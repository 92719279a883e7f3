#pragma once

#include "command_line.h"

// vantorel pack OUT.mix FILE... [--add-to EXISTING.mix]: an existing OUT.mix is added to.
int RunPack(const Arguments& args);
