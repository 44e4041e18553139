#pragma once
// tetsuro-cli bench sim: the whole simulation on generated railways.
#include <span>

#include "bench_output.h"

namespace tetsuro::cli {

// Builds a generated railway per case (pieces x trains) and runs it through
// the frame cycle at the top speed, once as it is and once with the
// running's profiling on; prints the build time, the work done per game
// day and the cost of it, and where the running's time goes.
int benchSim(std::span<const char* const> args);

}  // namespace tetsuro::cli
