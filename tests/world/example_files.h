#pragma once
// The text of a world file shipped under examples/.
#include <fstream>
#include <sstream>
#include <string>

namespace tetsuro::test_files {

inline std::string readExampleFile(const char* name) {
    std::ifstream f(std::string(TETSURO_SOURCE_DIR) + "/examples/" + name);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

}  // namespace tetsuro::test_files
