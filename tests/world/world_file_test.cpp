// World files: the shipped examples build into sound worlds, and a bad file
// names the first element at fault. The rolling stock comes from the
// resource environment world_trains_test.cpp installs for this program.
#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>

#include "game/slots.h"
#include "rail/bunki.h"
#include "rail/rail_invariants.h"
#include "trains/dia_rules.h"
#include "trains/platform_store.h"
#include "trains/station_invariants.h"
#include "trains/train_invariants.h"
#include "world/headless_world.h"
#include "world/world_file.h"
#include "example_files.h"

namespace tetsuro {

namespace {

std::string example(const char* name) { return test_files::readExampleFile(name); }

void expectSound() {
    EXPECT_EQ(checkRailInvariants(), std::vector<std::string>{});
    EXPECT_EQ(checkStationInvariants(), std::vector<std::string>{});
    EXPECT_EQ(Train::checkTrainInvariants(), std::vector<std::string>{});
}

TEST(WorldFile, TheShuttleExampleBuildsWithItsSettingsRulesAndTrain) {
    HeadlessWorld w(HeadlessGameOptions{});
    const WorldBuildResult r = buildWorldFromText(w, example("shuttle.json"));
    ASSERT_TRUE(r.ok) << r.error;
    expectSound();
    const auto& slots = w.canvas().slots();
    EXPECT_EQ(slots.m_sba[SBA_TIME_SCALE], 5);
    EXPECT_EQ(slots.m_sba[SBA_DIA_UNIT], 10);
    EXPECT_EQ(slots.m_swa[SWA_MESH_SIZE], 100);
    EXPECT_EQ(r.summary.stations, 2);
    EXPECT_EQ(r.summary.platforms, 2);
    EXPECT_EQ(r.summary.trainsPlaced, 1);
    EXPECT_EQ(r.summary.fund, slots.m_la[LA_FUND]);
    // The stations, platforms and train were paid for out of the file's fund.
    EXPECT_LT(r.summary.fund, 100000000);
    ASSERT_EQ(Form::diaCount(), 144);
    // Platform A leaves on the hour: the last slot of every hour is marked.
    for (int32_t fi = 0; fi < 2; ++fi) {
        const auto& day = Form::m_DD[size_t(fi)];
        ASSERT_EQ(day.size(), 144u);
        int marks = 0;
        for (int8_t b : day) {
            EXPECT_EQ(Dia::stopCode(b), Dia::kStop);
            marks += Dia::hasDepartureMark(b);
        }
        EXPECT_EQ(marks, 24);
    }
    const bool aFirst = Dia::hasDepartureMark(Form::m_DD[0][5]);
    EXPECT_TRUE(Dia::hasDepartureMark(Form::m_DD[aFirst ? 1 : 0][2]));
}

TEST(WorldFile, TheBranchExampleSetsItsSwitchForOneSlot) {
    HeadlessWorld w(HeadlessGameOptions{});
    const WorldBuildResult r = buildWorldFromText(w, example("branch.json"));
    ASSERT_TRUE(r.ok) << r.error;
    expectSound();
    EXPECT_EQ(r.summary.switches, 1);
    EXPECT_EQ(r.summary.stations, 3);
    EXPECT_EQ(r.summary.trainsPlaced, 2);
    const int32_t n = Bunki::searchIndex(0, 5000, 8000);
    ASSERT_GE(n, 0);
    for (int32_t dt = 0; dt < Bunki::diaCount(); ++dt) EXPECT_EQ(Bunki::getDia(n, dt), dt == 48 ? 1 : 0) << dt;
}

TEST(WorldFile, ABadFileNamesTheFirstElementAtFault) {
    using nlohmann::json;
    struct Case {
        const char* what;
        std::function<void(json&)> edit;
        const char* error;
    };
    const std::vector<Case> cases = {
        {"missing map rows", [](json& j) { j["map"].erase("rows"); }, "map: missing field \"rows\""},
        {"illegal mesh", [](json& j) { j["map"]["mesh_size"] = 120; }, "map.mesh_size: 120 is not a mesh size"},
        {"terrain seed", [](json& j) { j["map"]["seed"] = 7; }, "map.seed"},
        {"missing speed", [](json& j) { j["track"][0].erase("speed"); }, "track[0]: missing field \"speed\""},
        {"speed class 0", [](json& j) { j["track"][0]["speed"] = 0; }, "track[0] segment 0 (5000, 10000)-(5000, 30000): speed class 0"},
        {"track off the map", [](json& j) { j["map"]["columns"] = 256; }, "track[0] segment 0 (5000, 10000)-(5000, 30000): off the map"},
        {"station on the sea", [](json& j) { j["map"]["land"] = "sea"; }, "stations[0].buildings[0] at mesh (51, 110): no station building"},
        {"platform off the track",
         [](json& j) { j["stations"][1]["platforms"][0]["from"] = {6000, 28000}; },
         "stations[1].platforms[0] (6000, 28000)-(5000, 30000): from is not on laid track"},
        {"rule string too short",
         [](json& j) { j["stations"][0]["platforms"][0]["rules"] = "2222"; j["stations"][0]["platforms"][0].erase("rules_repeat"); },
         "stations[0].platforms[0] (5000, 10000)-(5000, 12000): the rule string has 4 slots, the day has 144"},
        {"pattern not dividing the day", [](json& j) { j["stations"][1]["platforms"][0]["rules_repeat"] = "22222C2"; },
         "stations[1].platforms[0] (5000, 28000)-(5000, 30000): the repeated pattern of 7 slots"},
        {"bad rule character", [](json& j) { j["stations"][0]["platforms"][0]["rules_repeat"] = "22x"; },
         "stations[0].platforms[0].rules_repeat: character 'x' at 2"},
        {"unknown train type", [](json& j) { j["trains"][0]["type"] = 30000; }, "trains[0] (number 0): unknown train type 30000"},
        {"train off the track", [](json& j) { j["trains"][0]["at"] = {7000, 11500}; }, "trains[0] (number 0): (7000, 11500) is not on laid track"},
        {"train facing off the track", [](json& j) { j["trains"][0]["facing"] = {6000, 11500}; }, "trains[0] (number 0): it cannot be placed"},
        {"train number taken", [](json& j) { j["trains"].push_back(j["trains"][0]); }, "trains[1] (number 0): the purchase was refused"},
        {"no switch there",
         [](json& j) { j["switches"] = json::array({json{{"at", {5000, 20000}}, {"rules_repeat", "0"}}}); },
         "switches[0] at (5000, 20000): no switch stands there"},
        {"no money", [](json& j) { j["fund"] = 0; }, "stations[0].buildings[0] at mesh (51, 110): the fund cannot pay"},
    };
    const json base = json::parse(example("shuttle.json"));
    for (const Case& c : cases) {
        json j = base;
        c.edit(j);
        HeadlessWorld w(HeadlessGameOptions{});
        const WorldBuildResult r = buildWorldFromText(w, j.dump());
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.error.rfind(c.error, 0), 0u) << c.what << ": " << r.error;
    }
    // Two faults: the earlier one is reported.
    json j = base;
    j["stations"][0]["platforms"][0]["rules_repeat"] = "2222222";
    j["trains"][0]["type"] = 30000;
    HeadlessWorld w(HeadlessGameOptions{});
    EXPECT_EQ(buildWorldFromText(w, j.dump()).error.rfind("stations[0].platforms[0]", 0), 0u);
}

TEST(WorldFile, BrokenJsonAndWrongShapesAreParseErrors) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"{\"map\": ", "not valid JSON"},
        {"[]", "world: the file must hold a JSON object"},
        {"{\"map\": {\"rows\": 10.5, \"columns\": 10}}", "map.rows: must be an integer"},
        {"{\"map\": {\"rows\": 10, \"columns\": 10}, \"track\": [{\"speed\": 24, \"points\": [[1, 2]]}]}",
         "track[0].points: needs at least two points"},
        {"{\"map\": {\"rows\": 10, \"columns\": 10}, \"trains\": [{\"type\": 0, \"cars\": 100}]}", "trains[0].cars: 100 is out of range"},
        {"{\"map\": {\"rows\": 10, \"columns\": 10}, \"trains\": [{\"type\": 0, \"cars\": 1, \"colour\": \"red\", "
         "\"at\": [0, 0], \"facing\": [0, 1]}]}",
         "trains[0].colour: \"red\" is not \"#RRGGBB\""},
        {"{\"map\": {\"rows\": 10, \"columns\": 10}, \"track\": [{\"speed\": 24, \"points\": [[-1, 2], [3, 4]]}]}",
         "track[0].points[0][0]: -1 is out of range"},
    };
    for (const auto& [text, error] : cases) {
        const WorldParseResult r = parseWorldFile(text);
        EXPECT_FALSE(r.ok) << text;
        EXPECT_EQ(r.error.rfind(error, 0), 0u) << text << " -> " << r.error;
    }
}

TEST(WorldFile, RuleStringsDecodeCodesMarksAndSeparators) {
    std::vector<int8_t> out;
    std::string err;
    ASSERT_TRUE(decodePlatformRules("01234 | ABCDE", out, err));
    EXPECT_EQ(out, (std::vector<int8_t>{0, 1, 2, 3, 4, 32, 33, 34, 35, 36}));
    EXPECT_FALSE(decodePlatformRules("5", out, err));
    EXPECT_FALSE(decodePlatformRules("a", out, err));
    ASSERT_TRUE(decodeSwitchRules("0 1|10", out, err));
    EXPECT_EQ(out, (std::vector<int8_t>{0, 1, 1, 0}));
    EXPECT_FALSE(decodeSwitchRules("2", out, err));
}

}  // namespace

}  // namespace tetsuro
