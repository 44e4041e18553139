#pragma once
// Whole files as bytes.
#include <cstdint>
#include <string_view>
#include <vector>

namespace tetsuro::VelJLib {

// The whole content of a file. "resource:///name" reads from the resource
// folder (see Connector). A file that cannot be opened (missing, unreadable,
// a folder) raises FileNotFoundException; a read that fails part-way raises IOException with
// the system's reason, rather than handing back a truncated or empty array.
// An empty file gives an empty array.
std::vector<std::int8_t> readFileBytes(std::string_view path);

}  // namespace tetsuro::VelJLib
