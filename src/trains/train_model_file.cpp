#include "trains/train_model_file.h"

#include <cmath>

#include "support/errors.h"
#include "support/text_file.h"

namespace tetsuro {

std::string checkTrainModel(const TrainModelData& d) {
    const size_t faces = d.m_ve.size();
    if (d.m_tc.size() != faces || d.m_no.size() != faces) {
        return "face counts differ: " + std::to_string(faces) + " vertex rows, " + std::to_string(d.m_tc.size()) +
               " coordinate rows, " + std::to_string(d.m_no.size()) + " lighting kinds";
    }
    for (size_t f = 0; f < faces; ++f) {
        const size_t n = d.m_ve[f].size();
        if (n < 6 || n % 3 != 0) return "face " + std::to_string(f) + " does not hold two or more whole vertices";
        for (float v : d.m_ve[f]) {
            if (!std::isfinite(v)) return "face " + std::to_string(f) + " has a coordinate out of range";
        }
        if (d.m_tc[f].size() != n / 3 * 2) {
            return "face " + std::to_string(f) + " has " + std::to_string(d.m_tc[f].size()) +
                   " texture numbers for " + std::to_string(n / 3) + " vertices";
        }
    }
    return {};
}

std::optional<TrainModelData> readTrainModel(std::string_view folder, int32_t n, std::string* error) {
    const std::string suffix = "_" + std::to_string(n) + ".txt";
    const std::string base(folder);
    std::string file;
    auto fail = [&](const std::string& why) -> std::optional<TrainModelData> {
        if (error) *error = file + ": " + why;
        return std::nullopt;
    };
    TrainModelData d;
    try {
        file = base + "vertex" + suffix;
        d.m_ve = VelJLib::readFileJagf(file);
        for (auto& row : d.m_ve) {
            for (float& v : row) v *= 10.0f;  // metres in the file, real units in the game
        }
        file = base + "coordinate" + suffix;
        d.m_tc = VelJLib::readFileJag(file);
        file = base + "normal" + suffix;
        d.m_no = VelJLib::readFileArray(file);
    } catch (const IOException& e) {
        return fail(e.what());
    } catch (const NumberFormatException& e) {
        return fail(e.what());
    }
    file = base + "*" + suffix;
    std::string why = checkTrainModel(d);
    if (!why.empty()) return fail(why);
    return d;
}

}  // namespace tetsuro
