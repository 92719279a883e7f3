// MIX archives: the index reader, the name list of an archive that holds one, and an
// addition to it as `pack --add-to` makes it, whose result must read back whole.
#include <cstdlib>

#include "mix_addition.h"
#include "mix_archive.h"
#include "mix_database.h"
#include "mix_name_id.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MixIndex index;
  std::string error;
  if (ReadMixIndex(data, size, index, error) != MixReadStatus::kOk) return 0;
  std::vector<std::string> names;
  for (const MixEntry& entry : index.entries)
    if (entry.id == kMixDatabaseId) ReadMixDatabase(data + index.bodyStart + entry.offset, entry.size, names, error);

  const std::vector<MixInput> inputs = {{"ls800a.shp", "fuzz", {1, 2, 3}}, {"ls800a.pal", "fuzz", {4}}};
  std::vector<std::uint8_t> archive;
  MixPackSummary summary;
  if (!ComposeMix(data, &index, inputs, archive, summary, error)) return 0;
  // What was composed is an archive this program reads, with both new members named.
  MixIndex composed;
  if (ReadMixIndex(archive.data(), archive.size(), composed, error) != MixReadStatus::kOk) std::abort();
  if (composed.entries.size() != summary.kept + inputs.size() + 1) std::abort();
  for (const MixEntry& entry : composed.entries) {
    if (entry.id != kMixDatabaseId) continue;
    if (!ReadMixDatabase(archive.data() + composed.bodyStart + entry.offset, entry.size, names, error)) std::abort();
    std::size_t found = 0;
    for (const std::string& name : names) found += name == "ls800a.shp" || name == "ls800a.pal";
    if (found != 2) std::abort();
  }
  return 0;
}
