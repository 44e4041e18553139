#pragma once
// tetsuro-cli bench stations: the station mesh index and the platform
// look-ups on a layout of up to 1000 stations.
#include "rail_bench.h"

namespace tetsuro::cli {

// Rebuilding the mesh index at about 100 and 1000 stations (10^4 and 10^5
// meshes), hashed and as the literal list, and the platform look-ups by
// rail that running makes, indexed and scanned.
int benchStations(const FigurePrinter& print);

}  // namespace tetsuro::cli
