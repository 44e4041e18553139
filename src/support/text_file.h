#pragma once
// Text and number files read whole: the lines up to the first blank line,
// split at TAB and parsed as numbers. Resource tables are read this way.
// A missing file raises FileNotFoundException; a piece that is not a number
// raises NumberFormatException (the callers decide the message).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/j_string.h"

namespace tetsuro::VelJLib {

std::vector<J_String> readFileTextJS(std::string_view path);
std::vector<std::string> readFileText(std::string_view path);
// All lines parsed with StringToArray and joined into one array.
std::vector<int32_t> readFileArray(std::string_view path);
// One array per line.
std::vector<std::vector<int32_t>> readFileJag(std::string_view path);
std::vector<std::vector<float>> readFileJagf(std::string_view path);

}  // namespace tetsuro::VelJLib
