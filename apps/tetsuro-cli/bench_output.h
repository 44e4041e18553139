#pragma once
// How every benchmark reports: one JSON line per figure with its name, value,
// unit and the work done.
#include <functional>
#include <string>

#include <nlohmann/json.hpp>

namespace tetsuro::cli {

void printFigure(const std::string& name, double value, const std::string& unit, const nlohmann::json& work);

using FigurePrinter =
    std::function<void(const std::string& name, double value, const std::string& unit, const nlohmann::json& work)>;

}  // namespace tetsuro::cli
