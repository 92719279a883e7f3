// The SHP save dialog's settings as the user last confirmed them with OK in this run (palette
// mode and file, colour count, method, dithering, index 0 rule); the export path is not
// part of them. Before the first export: a new octree palette of 256 colours, undithered.
// The export preview reads them.
#pragma once

#include "shp_export.h"

ShpExportSettings& ConfirmedShpExportSettings();
