#pragma once
// The random source of the VelL helpers: its own sequence, apart from the
// shared parameters' and the canvas's.
#include <cstdint>

#include "support/random_source.h"

namespace tetsuro::VelL {

// A value in 0..n-1 (0 for n <= 0).
int32_t RND_get(int32_t n);

// The instance behind RND_get, for seeding and resetting in tests.
RandomSource& randomSource();

}  // namespace tetsuro::VelL
