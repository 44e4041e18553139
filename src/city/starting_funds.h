#pragma once
// The cash a game starts with. Free and vacant-land games get money in
// proportion to the size of the land; a scenario stage starts poorer the
// further in it is (stage 2 and later start in debt).
#include <cstdint>

namespace tetsuro {

enum class StartMode { Free, VacantLand };

// The map area figure: rows x columns x mesh size / 10, 64-bit.
int64_t mapArea(int64_t rows, int64_t columns, int64_t meshSize);

// area / 65536 x 1,000,000 (free) or x 10,000,000 (vacant land), integer
// division first. Negative sizes give 0.
int64_t startingFunds(StartMode mode, int64_t rows, int64_t columns, int64_t meshSize);

// 400,000 - 300,000 x stage, set after the stage's run-in.
int64_t stageStartingFunds(int stage);

}  // namespace tetsuro
