// The SHP dialog's OK, from the form to the status line: what is checked before anything is
// written, the export, and what goes into the game after it when "Also put into a MIX file"
// is checked: the SHP, its palette and the 640 x 400 picture packed into the archive, and,
// with a map name, the map's section of the mission file set to name those members (as
// `vantorel export -o ... --mix ... --mission MAP --mission-file FILE` does). One report
// says what was written where.
#pragma once

#include <string>

#include "load_screen_document.h"
#include "mission_file.h"
#include "mission_keys.h"
#include "prompts.h"
#include "shp_export.h"
#include "shp_form.h"
#include "status_line.h"

struct ShpExportPlan {
  ShpExportSettings settings;
  std::string archive;      // the MIX archive made or added to; empty for none
  std::string missionFile;  // where `keys` are set; empty for none
  MissionKeys keys;
};

// OK was pressed: the form as a plan, with everything it names checked before anything is
// written: the archive's name given, an existing archive one that can be added to, the
// members' names storable in it, the map name and the mission file both given or both
// left empty, the map name and the keys' values usable, the mission file INI text (or
// missing, to be made) and no other output of the export. False after telling why through
// `prompts` (the core's line after a fixed one of ours).
bool PlanShpExport(const ShpForm& form, ShpExportPlan& plan, Prompts& prompts);

// Runs the plan: the export (calling `progress` after each of its parts), then the archive
// and the mission file, each only when the step before it succeeded. The report of what was
// written goes to `status`; a failure is told through `prompts`. False when nothing was
// written because the picture itself could not be made (the dialog may stay open); true
// otherwise.
bool RunShpExport(const LoadScreenDocument& document, const ShpExportPlan& plan, const ExportProgress& progress,
                  Prompts& prompts, StatusLine& status);

// "Saved a.shp and a.pal (256 colours)", then, as sentences of their own, how many pixels
// landed on a coloured palette entry 0 (which the games draw transparent) and what went
// into the archive (`packed`: the members' names, upper case) and the mission file.
TextLine ExportReport(const ShpExportPlan& plan, const ShpExportResult& result, const std::string& packed,
                      const MissionFileOutcome* mission);
