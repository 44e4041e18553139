#include "city/starting_funds.h"

#include <algorithm>

#include "support/int_math.h"

namespace tetsuro {

int64_t mapArea(int64_t rows, int64_t columns, int64_t meshSize) {
    if (rows <= 0 || columns <= 0 || meshSize <= 0) return 0;
    return saturate<int64_t>(int128_t(rows) * columns * meshSize / 10);
}

int64_t startingFunds(StartMode mode, int64_t rows, int64_t columns, int64_t meshSize) {
    const int64_t perUnit = mode == StartMode::VacantLand ? 10000000 : 1000000;
    return saturate<int64_t>(int128_t(mapArea(rows, columns, meshSize) / 65536) * perUnit);
}

int64_t stageStartingFunds(int stage) { return 400000 - int64_t(300000) * stage; }

}  // namespace tetsuro
