// `vantorel inspect X.mix`: the archive's entries, one line each (id, offset, size, name).
// An archive keeps only ids; a name is shown where its name list (local mix database.dat)
// has it, or it is one given with --names (comma separated) or one of the files in the
// archive's own folder, as loose copies of what was packed usually lie beside it.
#pragma once

#include <string>

bool IsMixPath(const std::string& path);
int InspectMix(const std::string& path, const std::string* names);
