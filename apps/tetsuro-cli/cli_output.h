#pragma once
#include <string>

namespace tetsuro::cli {

// Writes a whole text file atomically (temporary file, fsync, rename); on
// failure the old file is untouched and err says why.
bool writeTextFile(const std::string& path, const std::string& text, std::string& err);

}  // namespace tetsuro::cli
