// The train panel's timetable texts.
#include "trains/train_dia_panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/shift_jis.h"
#include "support/sub.h"
#include "trains/platform_store.h"
#include "trains/station_store.h"
#include "trains/train_dia.h"
#include "trains/train_spec.h"
#include "trains/train_store.h"
#include "train_fixture.h"

namespace tetsuro::testing {

namespace {

constexpr int32_t kDay = Train::kDiaDayTicks;
constexpr int32_t kMin = 3600;

class TrainDiaPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        Sub::reset();
        Sub::init(256, 256, 100, 1);
        Station::reset();
        PlatformStore::reset();
        Train::reset();
        TrainSpec::reset();
        addTestTrainType(u8"試験車", 100, 200);
        const int32_t sa = Station::add(false, 10, 10), sb = Station::add(false, 40, 40);
        Station::setName(sa, SJ(u8"東"));
        Station::setName(sb, SJ(u8"西"));
        A = Form::add(sa);
        B = Form::add(sb);
        ti = Train::add(7, 0, 1, 24000);
        Train::m_NF[size_t(ti)] = Train::kNoPlatform;
    }
    void TearDown() override {
        Train::reset();
        TrainSpec::reset();
        PlatformStore::reset();
        Station::reset();
        Sub::reset();
    }
    std::vector<std::string> lines(int32_t n) {
        std::vector<std::string> v;
        for (const auto& l : TrainDiaPanel::recordLines(ti, n)) v.push_back((l.current ? "*" : "") + l.text.toUtf8());
        return v;
    }
    int32_t A = -1, B = -1, ti = -1;
};

TEST_F(TrainDiaPanelTest, StatusAndNumber) {
    EXPECT_EQ(TrainDiaPanel::numberText(7).toUtf8(), "007");
    EXPECT_EQ(TrainDiaPanel::statusText(ti, 5 * 60 * kMin + 3 * kDay).toUtf8(), "05:00発");
    EXPECT_EQ(TrainDiaPanel::statusText(ti, std::nullopt).toUtf8(), "試運転");
    for (int32_t d = 0; d < 2; ++d) {
        Train::arrive(ti, d * kDay + 60 * kMin, A);
        Train::leave(ti, d * kDay + 70 * kMin);
        Train::arrive(ti, d * kDay + 120 * kMin, B);
        Train::leave(ti, d * kDay + 130 * kMin);
    }
    ASSERT_TRUE(Train::isService(ti));
    Train::m_iPassenger[size_t(ti)] = 12;
    EXPECT_EQ(TrainDiaPanel::statusText(ti, std::nullopt).toUtf8(), "12名");
    // From the stop before the current one (B, entry 0), round the loop once.
    EXPECT_EQ(lines(10), (std::vector<std::string>{"東 01:00着", "東 01:10発", "*西 02:00着", "西 02:10発"}));
    EXPECT_EQ(lines(3).size(), 3u);
}

TEST_F(TrainDiaPanelTest, AShortStopShowsOnlyItsDeparture) {
    Train::arrive(ti, 60 * kMin, A);
    Train::leave(ti, 60 * kMin + 600);  // 10 s
    Train::arrive(ti, 120 * kMin, B);
    EXPECT_EQ(lines(10), (std::vector<std::string>{"東 01:00発", "*西 02:00着"}));
}

}  // namespace

}  // namespace tetsuro::testing
