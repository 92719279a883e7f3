#include "shp_export_choices.h"

ShpExportSettings& ConfirmedShpExportSettings() {
  static ShpExportSettings settings;
  return settings;
}
