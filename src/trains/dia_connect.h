#pragma once
// Which stations the trains in service connect, kept up to date so that
// travelers' route searches ask in O(1): for every pair of stations the
// number of loops calling at both, and for every station the set of trains
// whose loop calls there. A train's entry is renewed lazily after touch(ti)
// (loop closed or cleared, train placed or taken off); touchAll() after
// loads and resets.
#include <cstdint>
#include <vector>

namespace tetsuro::DiaConnect {

void touch(int32_t ti);
void touchAll();

// Some train in service calls at both stations (yards not excluded here).
bool anyLoopCalls(int32_t st0, int32_t st1);
// Trains whose loop calls at both stations, highest record first.
std::vector<int32_t> trainsCallingAt(int32_t st0, int32_t st1);
// The distinct stations of a train's loop, ascending; empty off service.
std::vector<int16_t> loopStations(int32_t ti);

}  // namespace tetsuro::DiaConnect
