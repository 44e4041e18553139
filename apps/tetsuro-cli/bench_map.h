#pragma once
#include <span>

namespace tetsuro::cli {

// `tetsuro-cli bench map [options]`: the terrain grid's figures.
int benchMap(std::span<const char* const> args);

}  // namespace tetsuro::cli
