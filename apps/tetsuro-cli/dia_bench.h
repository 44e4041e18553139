#pragma once
// tetsuro-cli bench timetables: the travelers' questions on 1000 trains in
// service, each a 50-stop daily loop over 1000 stations.
#include "rail_bench.h"

namespace tetsuro::cli {

// isConnect and searchFirstArrive on the station index and as the literal
// scans, the index's first build and the renewal after one loop changes.
int benchTimetables(const FigurePrinter& print);

}  // namespace tetsuro::cli
