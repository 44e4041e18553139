#pragma once
// The rail core's invariant checker: run after every operation in the tests
// and after every simulated hour in scenarios.
#include <string>
#include <vector>

namespace tetsuro {

struct RailInvariantOptions {
    // Every valid piece belongs to a valid section.
    bool requireSections = true;
    // Markers, signals and sections agree with the track: sections change
    // exactly at boundaries, each section is one run of track, dead ends
    // and boundaries carry their markers, and no marker stands off the track.
    bool checkBoundaries = true;
};

// One line per problem found; empty when the rail core is sound.
std::vector<std::string> checkRailInvariants(const RailInvariantOptions& options = {});

}  // namespace tetsuro
