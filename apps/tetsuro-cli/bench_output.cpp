#include "bench_output.h"

#include <cstdio>

namespace tetsuro::cli {

void printFigure(const std::string& name, double value, const std::string& unit, const nlohmann::json& work) {
    nlohmann::json j;
    j["name"] = name;
    j["value"] = value;
    j["unit"] = unit;
    j["work"] = work;
    std::printf("%s\n", j.dump().c_str());
    std::fflush(stdout);
}

}  // namespace tetsuro::cli
