#pragma once
// The trains' invariant checker: run after every operation in the tests and
// after every simulated hour in scenarios (with the rail core's).
#include <cstdint>
#include <string>
#include <vector>

namespace tetsuro::Train {

// Track units from end a to end b (a behind b) along the train's path:
// the ends are indexes into the car-end pair arrays.
int64_t distanceAlongPath(int32_t ti, size_t a, size_t b);

// One line per problem found; empty when the trains are sound: chains
// linked and counted right, every car in one train, placed trains on valid
// rails along their path with ends L - 2 apart and gaps of 2, held sections
// exactly those marked with the train, trains off the track holding none.
std::vector<std::string> checkTrainInvariants();

}  // namespace tetsuro::Train
