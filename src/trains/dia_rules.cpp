#include "trains/dia_rules.h"

#include <algorithm>

namespace tetsuro::Dia {

std::vector<int8_t> defaultPlatformRules(int32_t count, int32_t unit) {
    std::vector<int8_t> r(size_t(std::max(count, 0)), kStop10s);
    const int32_t h = std::min(240 / std::max(unit, 1), count);
    for (int32_t i = 0; i + 1 < h; ++i) r[size_t(i)] = kStop;
    if (h >= 1) r[size_t(h - 1)] = int8_t(kStop | kDepartureMark);
    return r;
}

std::vector<int8_t> defaultSwitchRules(int32_t count) { return std::vector<int8_t>(size_t(std::max(count, 0)), 0); }

int8_t sanitizePlatformRule(int8_t b) {
    const int u = uint8_t(b);
    if (u > 0x3F || (u & kCodeMask) > 7) return kStop10s;
    return b;
}

int8_t sanitizeSwitchRule(int8_t b) { return int8_t(b & 1); }

void sanitizePlatformRules(std::span<int8_t> rules) {
    for (auto& b : rules) b = sanitizePlatformRule(b);
}

void sanitizeSwitchRules(std::span<int8_t> rules) {
    for (auto& b : rules) b = sanitizeSwitchRule(b);
}

int32_t platformCellColor(int8_t rule) {
    static constexpr int32_t kColors[8] = {0x00FF00, 0xFF00FF, 0x00FFFF, 0xFFFFCC,
                                           0xFFFF00, 0xFFAA00, 0xFF5500, 0xFF0000};
    return kColors[std::clamp(stopCode(rule), 0, 7)];
}

int32_t switchCellColor(int8_t rule) { return (rule & 1) ? 0xFF00FF : 0x00FF00; }

int32_t gridLineColor(int32_t m) {
    if (m == 0) return 0xFFFF00;
    if (m == 30) return 0xCCCC99;
    if (m % 10 == 0) return 0x9999CC;
    if (m % 5 == 0) return 0x666699;
    return 0x0000CC;
}

}  // namespace tetsuro::Dia
