// The tool's help, made from the verbs' tables (verb.h): the list of verbs, and for each
// verb its usage, every option with its range and default, its notes and one example.
#pragma once

#include <cstdio>

#include "verb.h"

void PrintToolHelp(std::FILE* to);
void PrintVerbHelp(const Verb& verb, std::FILE* to);
