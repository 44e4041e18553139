#pragma once
// The station stores' invariant checker: run after every operation in the
// tests, beside the rail core's.
#include <string>
#include <vector>

namespace tetsuro {

struct StationInvariantOptions {
    // Land codes: station buildings on 27, no company track land (2, 7)
    // under a piece, no platform or yard land that no piece covers.
    bool checkLand = true;
    // Block boundaries where platforms end.
    bool checkBoundaries = true;
};

// One line per problem found; empty when the stores are sound.
std::vector<std::string> checkStationInvariants(const StationInvariantOptions& options = {});

}  // namespace tetsuro
