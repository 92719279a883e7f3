#include "mix_addition.h"

#include <algorithm>
#include <map>

#include "mix_database.h"
#include "mix_name_id.h"

std::string MixNamesProblem(const std::vector<MixMemberName>& names) {
  std::map<std::uint32_t, const MixMemberName*> byId;
  for (const MixMemberName& member : names) {
    if (const std::string problem = MixNameProblem(member.name); !problem.empty())
      return member.source + ": " + problem;
    const std::uint32_t id = MixNameId(member.name);
    if (id == kMixDatabaseId)
      return member.source + ": the name " + member.name + " is the archive's own name list, which is written for it";
    const auto [at, fresh] = byId.emplace(id, &member);
    if (!fresh) return at->second->source + " and " + member.source + " have the same MIX id " + MixIdText(id);
  }
  return {};
}

std::string MixInputsProblem(const std::vector<MixInput>& inputs) {
  std::vector<MixMemberName> names;
  for (const MixInput& input : inputs) {
    if (input.bytes.empty())
      return input.source + ": the file is empty; other MIX tools take an empty member for a missing one";
    names.push_back({input.name, input.source});
  }
  return MixNamesProblem(names);
}

bool ComposeMix(const std::uint8_t* existingData, const MixIndex* existing, const std::vector<MixInput>& inputs,
                std::vector<std::uint8_t>& archive, MixPackSummary& summary, std::string& error) {
  archive.clear();
  summary = MixPackSummary{};
  summary.existed = existing != nullptr;
  if (error = MixInputsProblem(inputs); !error.empty()) return false;
  // The name each member is known by; the list is written in index order.
  std::map<std::uint32_t, std::string> names;
  std::map<std::uint32_t, const MixInput*> byId;
  for (const MixInput& input : inputs) byId.emplace(MixNameId(input.name), &input);

  std::vector<MixMember> members;
  if (existing) {
    std::vector<std::string> listed;
    for (const MixEntry& entry : existing->entries) {
      const std::uint8_t* body = existingData + existing->bodyStart + entry.offset;
      if (entry.id == kMixDatabaseId) {
        if (!ReadMixDatabase(body, entry.size, listed, error)) return false;
      } else if (byId.count(entry.id)) {
        ++summary.replaced;
      } else {
        members.push_back({entry.id, std::vector<std::uint8_t>(body, body + entry.size)});
        names.emplace(entry.id, "");
        ++summary.kept;
      }
    }
    // A listed name is kept only for a member it is the name of.
    for (const std::string& name : listed)
      if (const auto at = names.find(MixNameId(name)); at != names.end() && at->second.empty()) at->second = name;
  }
  summary.added = inputs.size() - summary.replaced;
  for (const auto& [id, input] : byId) {
    members.push_back({id, input->bytes});
    names[id] = input->name;
  }
  names[kMixDatabaseId] = kMixDatabaseName;
  if (members.size() + 1 > kMixMaxFiles) {
    error = MixTooManyFilesText(members.size() + 1) + " (its name list counted)";
    return false;
  }

  std::vector<std::uint32_t> order;
  for (const auto& [id, name] : names) order.push_back(id);
  std::sort(order.begin(), order.end(), MixIdBefore);
  std::vector<std::string> list;
  for (std::uint32_t id : order)
    if (!names[id].empty()) list.push_back(names[id]);
  members.push_back({kMixDatabaseId, BuildMixDatabase(list)});
  return BuildMix(std::move(members), archive, error);
}
