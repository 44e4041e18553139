// The event log of a run: what a recorded arrival, departure and taking off
// look like as lines of the events file, that every hook call reaches the
// hooks chained behind the log, and that the events file appears whole or
// not at all. The runner's calls are made here directly on a small world.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "../support/temp_folder.h"
#include "game/game_clock.h"
#include "support/shift_jis.h"
#include "trains/platform_store.h"
#include "trains/station_store.h"
#include "trains/train_store.h"
#include "world/event_log.h"
#include "world/headless_world.h"
#include "world/world_file.h"

namespace tetsuro {

namespace {

// Three stations on one line, the last with two platforms, so that station,
// platform number and platform record all differ at its second platform;
// train number 7 sits in record 0.
const char kWorld[] = R"({
  "map": {"rows": 256, "columns": 320},
  "track": [{"speed": 24, "points": [[5000, 10000], [5000, 30000]]}],
  "stations": [
    {"buildings": [[51, 110]], "platforms": [{"from": [5000, 10000], "to": [5000, 12000]}]},
    {"buildings": [[51, 190]], "platforms": [{"from": [5000, 18000], "to": [5000, 20000]}]},
    {"buildings": [[51, 270]], "platforms": [{"from": [5000, 24000], "to": [5000, 26000]},
                                             {"from": [5000, 28000], "to": [5000, 30000]}]}
  ],
  "trains": [{"number": 7, "type": 0, "cars": 2, "at": [5000, 11000], "facing": [5000, 12000]}]
})";

class EventLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        const WorldBuildResult r = buildWorldFromText(m_w, kWorld);
        ASSERT_TRUE(r.ok) << r.error;
        ASSERT_EQ(Train::m_n[0], 7);
        ASSERT_EQ(Form::getSt(kFi), 2);
        ASSERT_EQ(Form::m_no[size_t(kFi)], 1);
        Train::setName(0, SJ(u8"快速　湖北"));
        Station::setName(2, SJ(u8"東駅"));
    }

    static constexpr int32_t kFi = 3;
    HeadlessWorld m_w{HeadlessGameOptions{}};
};

// Every call it receives, as text.
class RecordingHooks : public RunningHooks {
public:
    std::vector<std::string> calls;
    void arrived(int32_t ti, int32_t fi, int64_t c) override { add("arrived", ti, fi, c); }
    void departed(int32_t ti, int32_t fi, int64_t c) override { add("departed", ti, fi, c); }
    void takenOff(int32_t ti, int64_t c) override { add("takenOff", ti, c); }
    void alight(int32_t ti, int32_t fi) override { add("alight", ti, fi); }
    void board(int32_t ti, int32_t fi) override { add("board", ti, fi); }
    void travellersAdvance(int64_t ticks) override { add("travellersAdvance", ticks); }
    void selectTrain(int32_t ti) override { add("selectTrain", ti); }
    void headOnPlatform(int32_t ti, int32_t fi) override { add("headOnPlatform", ti, fi); }

private:
    template <class... A>
    void add(const char* name, A... a) {
        std::string s = name;
        ((s += " " + std::to_string(a)), ...);
        calls.push_back(s);
    }
};

TEST_F(EventLogTest, ArrivalsDeparturesAndTakingOffBecomeLinesWithNamesAndTimes) {
    EventLog log;
    std::vector<std::string> lines;
    log.setSink([&](const RunEvent& e) { lines.push_back(eventJsonLine(e)); });

    const int64_t arrive = clockFromCivil(1970, 4, 1, 9, 30, 15) + 59;  // the fraction is dropped
    const int64_t depart = clockFromCivil(1971, 1, 2, 3, 4, 5);
    log.arrived(0, kFi, arrive);
    log.departed(0, kFi, depart);
    log.takenOff(0, depart + 1);

    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "{\"tick\":" + std::to_string(arrive) +
                            ",\"time\":\"1970-04-01 09:30:15\",\"event\":\"arrive\",\"train\":7,"
                            "\"train_name\":\"快速　湖北\",\"station\":2,\"station_name\":\"東駅\","
                            "\"platform\":1,\"platform_record\":3}");
    const auto dep = nlohmann::json::parse(lines[1]);
    EXPECT_EQ(dep["event"], "depart");
    EXPECT_EQ(dep["time"], "1971-01-02 03:04:05");
    EXPECT_EQ(dep["tick"], depart);
    const auto off = nlohmann::json::parse(lines[2]);
    EXPECT_EQ(off, (nlohmann::json{{"tick", depart + 1}, {"time", "1971-01-02 03:04:05"}, {"event", "off"},
                                   {"train", 7}, {"train_name", "快速　湖北"}}));

    // The names are those of the moment: a later renaming does not reach
    // the lines already made.
    Station::setName(2, SJ(u8"西駅"));
    log.arrived(0, kFi, depart + 2);
    EXPECT_NE(lines[0].find("東駅"), std::string::npos);
    EXPECT_NE(lines[3].find("西駅"), std::string::npos);

    EXPECT_EQ(log.eventCount(), 4);
    const TrainEventCounts c = log.countsOf(7);
    EXPECT_EQ(c.arrivals, 2);
    EXPECT_EQ(c.departures, 1);
    EXPECT_EQ(c.takenOff, 1);
    EXPECT_EQ(log.countsOf(0).arrivals, 0);
}

TEST_F(EventLogTest, RecordsWithoutATrainOrPlatformGiveMinusOneNotACrash) {
    EventLog log;
    std::vector<RunEvent> events;
    log.setSink([&](const RunEvent& e) { events.push_back(e); });
    log.arrived(5, -1, 0);
    log.departed(-1, 999, 0);
    ASSERT_EQ(events.size(), 2u);
    for (const RunEvent& e : events) {
        EXPECT_EQ(e.train, -1);
        EXPECT_EQ(e.trainName, "");
        EXPECT_EQ(e.station, -1);
        EXPECT_EQ(e.platformRecord, -1);
    }
    EXPECT_EQ(log.countsOf(-1).arrivals, 1);
}

TEST_F(EventLogTest, EveryHookCallReachesTheChainedHooksInOrder) {
    RecordingHooks inner;
    EventLog log(&inner);
    log.arrived(0, kFi, 100);
    log.alight(0, kFi);
    log.board(0, kFi);
    log.travellersAdvance(60);
    log.departed(0, kFi, 200);
    log.headOnPlatform(0, 1);
    log.selectTrain(0);
    log.takenOff(0, 300);
    EXPECT_EQ(inner.calls, (std::vector<std::string>{"arrived 0 3 100", "alight 0 3", "board 0 3",
                                                     "travellersAdvance 60", "departed 0 3 200",
                                                     "headOnPlatform 0 1", "selectTrain 0", "takenOff 0 300"}));
    EXPECT_EQ(log.eventCount(), 3);

    // Without chained hooks the calls are simply recorded.
    log.setInner(nullptr);
    log.arrived(0, kFi, 400);
    EXPECT_EQ(inner.calls.size(), 8u);
    EXPECT_EQ(log.eventCount(), 4);
}

TEST(EventFile, TheFileAppearsWholeOnCommitAndNeverHalfWritten) {
    testing::TempFolder dir;
    RunEvent a;
    a.clock = 468504000;
    a.train = 1;
    a.station = 0;
    RunEvent off = a;
    off.kind = RunEvent::Kind::Off;

    const std::string path = dir / "run.jsonl";
    {
        EventFile f(path);
        ASSERT_TRUE(f.ok()) << f.error();
        f.write(a);
        f.write(off);
        EXPECT_FALSE(dir.list().count("run.jsonl"));
        ASSERT_TRUE(f.commit()) << f.error();
        EXPECT_EQ(f.lines(), 2);
    }
    const std::vector<int8_t> bytes = testing::readFile(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), eventJsonLine(a) + "\n" + eventJsonLine(off) + "\n");

    // A run that ends without a commit leaves the older file as it was and
    // no temporary file behind.
    {
        EventFile f(path);
        ASSERT_TRUE(f.ok());
        f.write(off);
    }
    EXPECT_EQ(testing::readFile(path), bytes);
    EXPECT_EQ(dir.list(), std::set<std::string>{"run.jsonl"});
}

TEST(EventFile, ATargetThatCannotBeWrittenFailsAtOnceAndSaysWhich) {
    testing::TempFolder dir;
    const struct {
        std::string path;
        const char* says;
    } cases[] = {
        {dir.str(), "is a folder"},
        {dir / "missing/run.jsonl", "missing/run.jsonl"},
    };
    for (const auto& c : cases) {
        EventFile f(c.path);
        EXPECT_FALSE(f.ok()) << c.path;
        EXPECT_NE(f.error().find(c.says), std::string::npos) << f.error();
        f.write(RunEvent{});
        EXPECT_FALSE(f.commit()) << c.path;
        EXPECT_EQ(f.lines(), 0);
    }
    EXPECT_TRUE(dir.list().empty());
}

}  // namespace

}  // namespace tetsuro
