#pragma once
// tetsuro-cli bench rail: the rail core on deterministic random layouts.
#include "bench_output.h"

namespace tetsuro::cli {

// Interactive adds at 1k, 20k and 100k pieces, the first signal renewal after
// a new signal at 10k sections / 50k pieces, and the cost of a route look-up.
int benchRail(const FigurePrinter& print);

}  // namespace tetsuro::cli
