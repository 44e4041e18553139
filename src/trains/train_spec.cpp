#include "trains/train_spec.h"

#include "support/shift_jis.h"
#include "support/sub.h"

namespace tetsuro {

std::vector<TrainSpec> TrainSpec::s_o;

TrainSpec::Reporter& TrainSpec::reporter() {
    static Reporter r;
    return r;
}

std::shared_ptr<TrainGraphicsBuilder>& TrainSpec::builder() {
    static std::shared_ptr<TrainGraphicsBuilder> b;
    return b;
}

void TrainSpec::setReporter(Reporter r) { reporter() = std::move(r); }

void TrainSpec::setGraphicsBuilder(std::shared_ptr<TrainGraphicsBuilder> b) { builder() = std::move(b); }

const J_String& TrainSpec::failureMessage() { return SJ(u8"車両データ読み込み失敗！"); }

void TrainSpec::reportFailure() {
    if (reporter()) reporter()(failureMessage());
}

void TrainSpec::reset() { s_o.clear(); }

int32_t TrainSpec::size() { return static_cast<int32_t>(s_o.size()); }

bool TrainSpec::isValid(int32_t i) { return i >= 0 && i < size(); }

const J_String& TrainSpec::getName(int32_t i) {
    static const J_String none;
    return isValid(i) ? s_o[size_t(i)].m_name : none;
}

int32_t TrainSpec::getSpeed(int32_t i) { return isValid(i) ? s_o[size_t(i)].m_speed : 1; }
int32_t TrainSpec::getAcceleration(int32_t i) { return isValid(i) ? s_o[size_t(i)].m_accelera : kMinRate; }
int32_t TrainSpec::getBreaking(int32_t i) { return isValid(i) ? s_o[size_t(i)].m_breaking : kMinRate; }
int32_t TrainSpec::getLength(int32_t i) { return isValid(i) ? s_o[size_t(i)].m_length : kMinLength; }
int32_t TrainSpec::getMiddle(int32_t i) { return isValid(i) ? s_o[size_t(i)].m_middle : 0; }
int32_t TrainSpec::getColor(int32_t i) { return isValid(i) ? s_o[size_t(i)].m_color : -1; }

void TrainSpec::setColor(int32_t i, int32_t color) {
    if (isValid(i)) s_o[size_t(i)].m_color = color & 0xFFFFFF;
}

int64_t TrainSpec::getPrice(int32_t i) {
    if (!isValid(i)) return 0;
    // Speeds are clamped on load, so pow_2_8 stays far below the point where
    // × 10000 could overflow.
    return Sub::pow_2_8(s_o[size_t(i)].m_speed / 5) * 10000 / 256000 * 2500;
}

int32_t TrainSpec::colorFromId(int32_t id) {
    // The formula only stays inside 0..255 per channel for ids 0..11.
    const int32_t n = ((id % 12) + 12) % 12;
    const int32_t red = ((n / 4) * 255) / 2;
    const int32_t green = ((n / 2) % 2) * 102 + 153;
    const int32_t blue = ((n % 2) * 85 + 170) - (n / 4) * 85;
    return red * 65536 + green * 256 + blue;
}

std::string TrainSpec::folderAddress(const J_String& dir) { return "resource:///train/" + dir.toUtf8() + "/"; }

}  // namespace tetsuro
