#include "trains/dia_editor.h"

#include <gtest/gtest.h>

#include <vector>

#include "trains/dia_rules.h"

namespace tetsuro {
namespace {

// Choices in the rule window are 1-based: 通過 1, 折り返し 2, 停車 3, 10秒停車 4.
constexpr int kChoiceTurnBack = 2, kChoiceStop = 3, kChoice10s = 4;

struct Day {
    explicit Day(int unit) : rules(size_t(1440 / unit), 0), ed(DiaEditor::Kind::Platform, rules, unit) {}
    std::vector<int8_t> rules;
    DiaEditor ed;
    std::vector<int> at(int from, int n) const {
        std::vector<int> v;
        for (int i = 0; i < n; ++i) v.push_back(rules[size_t((from + i) % int(rules.size()))]);
        return v;
    }
};

TEST(DiaEditor, RangeWritesCodesAndMarksTheEndOfEachPeriod) {
    struct Case {
        int choice;
        std::vector<int> expected;
    };
    for (const auto& c : {Case{kChoiceStop, {2, 2, 34}}, Case{kChoiceTurnBack, {1, 1, 33}}, Case{kChoice10s, {3, 3, 3}}}) {
        Day d(10);
        d.ed.setCursor(10);
        d.ed.confirm(c.choice);  // opens the range
        d.ed.right();
        d.ed.right();
        EXPECT_EQ(d.ed.timeText(), "1:40-2:09");
        d.ed.confirm(c.choice);
        EXPECT_EQ(d.at(10, 3), c.expected) << "choice " << c.choice;
        EXPECT_EQ(d.at(9, 1), std::vector<int>{0});
        EXPECT_EQ(d.at(13, 1), std::vector<int>{0});
    }
}

TEST(DiaEditor, RepeatedConfirmationsLayThePatternPeriodAfterPeriod) {
    Day d(10);
    d.ed.setCursor(10);
    d.ed.confirm(kChoiceStop);
    d.ed.right();
    d.ed.right();
    d.ed.confirm(kChoiceStop);
    EXPECT_EQ(d.ed.rangeStart(), 13);
    EXPECT_EQ(d.ed.cursor(), 15);
    EXPECT_EQ(d.ed.step(), 3);
    d.ed.confirm(kChoiceStop);
    d.ed.right();  // two periods at once
    d.ed.confirm(kChoiceStop);
    EXPECT_EQ(d.at(10, 12), (std::vector<int>{2, 2, 34, 2, 2, 34, 2, 2, 34, 2, 2, 34}));
    EXPECT_EQ(d.at(22, 1), std::vector<int>{0});
}

TEST(DiaEditor, ARangeAcrossMidnightWrapsAndMovesOnAfterTheCursor) {
    Day d(30);  // 48 slots
    d.ed.setCursor(46);
    d.ed.confirm(kChoice10s);
    d.ed.setCursor(1);
    EXPECT_EQ(d.ed.timeText(), "23:00-0:59");
    d.ed.confirm(kChoice10s);
    EXPECT_EQ(d.at(46, 4), (std::vector<int>{3, 3, 3, 3}));
    EXPECT_EQ(d.at(2, 1), std::vector<int>{0});
    EXPECT_EQ(d.ed.rangeStart(), 2);
    EXPECT_EQ(d.ed.cursor(), 5);
}

TEST(DiaEditor, CancelLeavesPeriodModeThenTheRangeThenTheEditor) {
    Day d(10);
    d.ed.setCursor(5);
    d.ed.confirm(kChoiceStop);
    d.ed.right();
    d.ed.confirm(kChoiceStop);
    ASSERT_EQ(d.ed.step(), 2);
    EXPECT_FALSE(d.ed.cancel());
    EXPECT_EQ(d.ed.step(), 1);
    EXPECT_EQ(d.ed.cursor(), d.ed.rangeStart());
    EXPECT_TRUE(d.ed.rangeOpen());
    EXPECT_FALSE(d.ed.cancel());
    EXPECT_FALSE(d.ed.rangeOpen());
    EXPECT_TRUE(d.ed.cancel());
}

TEST(DiaEditor, CursorWrapsOnlyWithoutARange) {
    Day d(30);
    d.ed.left();
    EXPECT_EQ(d.ed.cursor(), 47);
    d.ed.confirm(kChoiceStop);
    d.ed.right();
    EXPECT_EQ(d.ed.cursor(), 47);
}

TEST(DiaEditor, SwitchesGetNoDepartureMarks) {
    std::vector<int8_t> rules(48, 0);
    DiaEditor ed(DiaEditor::Kind::Switch, rules, 30);
    ed.setCursor(3);
    ed.confirm(2);
    ed.right();
    ed.confirm(2);
    EXPECT_EQ(rules[3], 1);
    EXPECT_EQ(rules[4], 1);
}

TEST(DiaRules, DefaultPlatformRulesWaitOvernightAndLeaveAtFour) {
    struct Case {
        int unit, count, lastWait;
    };
    for (const auto& c : {Case{10, 144, 23}, Case{30, 48, 7}, Case{1, 1440, 239}}) {
        auto r = Dia::defaultPlatformRules(c.count, c.unit);
        ASSERT_EQ(int(r.size()), c.count);
        EXPECT_EQ(r[0], Dia::kStop) << c.unit;
        EXPECT_EQ(r[size_t(c.lastWait - 1)], Dia::kStop) << c.unit;
        EXPECT_EQ(r[size_t(c.lastWait)], Dia::kStop | Dia::kDepartureMark) << c.unit;
        EXPECT_EQ(r[size_t(c.lastWait + 1)], Dia::kStop10s) << c.unit;
        EXPECT_EQ(r.back(), Dia::kStop10s) << c.unit;
    }
}

TEST(DiaRules, ImportedBytesAreSanitisedAndColoursClamped) {
    struct Case {
        int8_t in, platform, sw;
    };
    const Case cases[] = {{0, 0, 0},        {34, 34, 0},      {7, 7, 1},           {39, 39, 1},
                          {8, 3, 0},        {-1, 3, 1},       {int8_t(0x40), 3, 0}, {int8_t('3' - '0'), 3, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(Dia::sanitizePlatformRule(c.in), c.platform) << int(c.in);
        EXPECT_EQ(Dia::sanitizeSwitchRule(c.in), c.sw) << int(c.in);
    }
    EXPECT_EQ(Dia::platformCellColor(34), 0x00FFFF);
    EXPECT_EQ(Dia::platformCellColor(-1), 0xFF0000);  // never past the table
    EXPECT_EQ(Dia::gridLineColor(0), 0xFFFF00);
    EXPECT_EQ(Dia::gridLineColor(30), 0xCCCC99);
    EXPECT_EQ(Dia::gridLineColor(20), 0x9999CC);
    EXPECT_EQ(Dia::gridLineColor(25), 0x666699);
    EXPECT_EQ(Dia::gridLineColor(1), 0x0000CC);
}

}  // namespace
}  // namespace tetsuro
