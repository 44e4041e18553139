#pragma once
// Small helpers for the running scenarios: example files, rule strings,
// where a train stands, and a recorder that also checks each stop.
#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>

#include "example_files.h"
#include "running_fixture.h"
#include "trains/train_direction.h"
#include "trains/train_queries.h"
#include "trains/train_store.h"

namespace tetsuro::testing_running {

using test_files::readExampleFile;

inline nlohmann::json exampleJson(const char* name) { return nlohmann::json::parse(readExampleFile(name)); }

// Replaces the rules of the first platform of station st.
inline void setPlatformRules(nlohmann::json& j, int st, const std::string& rules) {
    auto& p = j["stations"][static_cast<size_t>(st)]["platforms"][0];
    p.erase("rules_repeat");
    p["rules"] = rules;
}

// A day of `slots` platform rules, all `fill`, with slot `at` set to `mark`.
inline std::string dayRules(int slots, char fill, int at = -1, char mark = 'C') {
    std::string s(static_cast<size_t>(slots), fill);
    if (at >= 0) s[static_cast<size_t>(at)] = mark;
    return s;
}

// Real x of the mean of the head's front end and the last car's rear end
// (the trains here run along a line of constant y).
inline double centreX(int32_t ti) {
    const int32_t last = 2 * Train::carCount(ti) - 1;
    const auto head = TrainDirection::point({Train::getRI(ti, 0), Train::getRP(ti, 0)});
    const auto tail = TrainDirection::point({Train::getRI(ti, last), Train::getRP(ti, last)});
    return (head[2] + tail[2]) / 2;
}

// A train's length counts cars x car length, the 2-unit gap behind its
// last car included, so a train stopped centred has the mean of its two
// ends 1 unit off the platform's centre.
inline constexpr double kHalfTrailingGap = 1;

// Time of day of a clock value, in ticks.
inline int64_t timeOfDay(int64_t clock) { return clock % kTicksPerDay; }

// The recorder with a check run at every arrival and departure.
class CheckingRecorder : public EventRecorder {
public:
    std::function<void(const RunEvent&)> check;
    void arrived(int32_t ti, int32_t fi, int64_t clock) override {
        EventRecorder::arrived(ti, fi, clock);
        if (check) check(events.back());
    }
    void departed(int32_t ti, int32_t fi, int64_t clock) override {
        EventRecorder::departed(ti, fi, clock);
        if (check) check(events.back());
    }
};

}  // namespace tetsuro::testing_running
