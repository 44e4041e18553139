#pragma once
// tetsuro-cli bench trains: the car chain mover, the hot path of running.
#include "rail_bench.h"

namespace tetsuro::cli {

// A 10-car train moved back and forth along a line of 1000 pieces (each its
// own block section): ns per car moved, with the head entering the next
// piece, the trailing ends following and the sections changing hands on
// the way.
int benchTrains(const FigurePrinter& print, int64_t steps);

}  // namespace tetsuro::cli
