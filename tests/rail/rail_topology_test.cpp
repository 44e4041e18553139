// Adding, lengthening, splitting, merging, reversing and erasing pieces.
#include "rail_fixture.h"

namespace tetsuro::test {
namespace {

using TopologyTest = RailStoreTest;

TEST_F(TopologyTest, AddRefusesBadPieces) {
    struct Case {
        const char* name;
        int typ, spd;
        int64_t fz, fy, fx, tz, ty, tx;
    };
    const Case cases[] = {
        {"beyond the north edge", 0, 9, 0, 0, 0, 0, 25601, 0},
        {"beyond the east edge", 0, 9, 0, 0, 0, 0, 0, 25601},
        {"negative y", 0, 9, 0, -1, 0, 0, 100, 0},
        {"negative x", 0, 9, 0, 0, 100, 0, 0, -100},
        {"no plan length", 0, 9, 0, 100, 100, 50, 100, 100},
        {"class below 3", 0, 2, 0, 0, 0, 0, 0, 100},
        {"class above 100", 0, 101, 0, 0, 0, 0, 0, 100},
        {"height above 16 bits", 0, 9, 40000, 0, 0, 0, 0, 100},
        {"height below 16 bits", 0, 9, 0, 0, 0, -40000, 0, 100},
        {"longer than 20712", 0, 9, 0, 0, 0, 0, 0, 20713},
        {"bad type", 4, 9, 0, 0, 0, 0, 0, 100},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Rail::add(c.typ, c.spd, c.fz, c.fy, c.fx, c.tz, c.ty, c.tx), -1) << c.name;
    }
    EXPECT_EQ(Rail::count(), 0);
    // The limits themselves are fine.
    EXPECT_GE(Rail::add(0, 100, 0, 0, 0, 0, 0, 20712), 0);
    EXPECT_GE(Rail::add(0, 3, 0, 25600, 25600, 0, 25600, 25599), 0);
}

TEST_F(TopologyTest, StraightOnFromADeadEndLengthensThePiece) {
    int32_t a = add(9, 0, 0, 0, 0, 0, 1000);
    EXPECT_EQ(add(9, 0, 0, 1000, 0, 0, 1500), a);  // at the To end
    EXPECT_EQ(Rail::getEX(a), 1500);
    int32_t b = add(9, 0, 2000, 1000, 0, 2000, 2000);
    EXPECT_EQ(add(9, 0, 2000, 1000, 0, 2000, 0), b);  // at the From end, drawn outward
    EXPECT_EQ(Rail::getSX(b), 0);
    EXPECT_EQ(Rail::length_cm(b), 2000);
    EXPECT_EQ(Rail::count(), 2);
    ASSERT_EQ(hooks.edits.size(), 2u);
    EXPECT_EQ(hooks.edits[1].kind, RailEditKind::Extend);
    EXPECT_TRUE(hooks.edits[1].atFrom);
    EXPECT_EQ(hooks.edits[1].oldLength, 1000 * 103680);
    EXPECT_EQ(hooks.edits[1].newLength, 2000 * 103680);
}

TEST_F(TopologyTest, ExtendRefusals) {
    struct Case {
        const char* name;
        int spd, typ;
        int32_t ty, tx;  // the new piece runs from (0, 1000)
        int32_t code;     // extend_check
    };
    const Case cases[] = {
        {"other class", 12, 0, 0, 1500, -3},
        {"other type", 9, 1, 0, 1500, -3},
        {"turning", 9, 0, 300, 1500, -2},
        {"doubling back", 9, 0, 0, 400, -2},
        {"beyond 1400 m", 9, 0, 0, 14001, -4},
        {"exactly 1400 m", 9, 0, 0, 14000, 0},
    };
    for (const auto& c : cases) {
        RailCore::reset();
        int32_t a = add(9, 0, 0, 0, 0, 0, 1000);
        const RailPoint f{0, 0, 1000}, t{0, c.ty, c.tx};
        EXPECT_EQ(Rail::extend_check(c.typ, c.spd, f, t), c.code) << c.name;
        int32_t n = Rail::add(c.typ, c.spd, 0, 0, 1000, 0, c.ty, c.tx);
        if (c.code == 0) {
            EXPECT_EQ(n, a) << c.name;
            continue;
        }
        // Refused lengthening adds a second piece joined end to end; the
        // first keeps its shape.
        EXPECT_NE(n, a) << c.name;
        EXPECT_EQ(Rail::length_cm(a), 1000) << c.name;
        EXPECT_EQ(Rail::getConnect(a, 0), n) << c.name;
        sound();
    }
}

TEST_F(TopologyTest, SplitAndMergeRoundTrip) {
    int32_t a = add(9, 0, 0, 0, 20, 0, 1000);
    Rail::addSignal(a);
    int32_t se = Rail::addSignal(rev(a));
    int32_t b = Rail::division(a, 6, 0, 300);
    ASSERT_GE(b, 0);
    EXPECT_EQ(Rail::getEndZYX(a), (std::vector<int32_t>{6, 0, 300}));
    EXPECT_EQ(Rail::getStartZYX(b), (std::vector<int32_t>{6, 0, 300}));
    EXPECT_EQ(Rail::getSignal(rev(b)), se);  // the To-end signal went along
    EXPECT_EQ(Rail::getSignal(rev(a)), -1);
    EXPECT_EQ(Rail::getSignal(b), -1);
    ASSERT_FALSE(hooks.edits.empty());
    const RailEdit& split = hooks.edits.back();
    EXPECT_EQ(split.kind, RailEditKind::Split);
    EXPECT_EQ(split.piece, a);
    EXPECT_EQ(split.other, b);
    EXPECT_EQ(split.at, Rail::length_um(a));
    EXPECT_EQ(Rail::getConnect(a, 0), b);
    sound();

    EXPECT_EQ(Rail::merge(6, 0, 300), a);
    EXPECT_EQ(Rail::getEndZYX(a), (std::vector<int32_t>{20, 0, 1000}));
    EXPECT_FALSE(Rail::isValid(b));
    EXPECT_EQ(Rail::getSignal(rev(a)), se);  // and came back
    const RailEdit& merged = hooks.edits.back();
    EXPECT_EQ(merged.kind, RailEditKind::Merge);
    EXPECT_EQ(merged.piece, a);
    EXPECT_EQ(merged.other, b);
    EXPECT_FALSE(merged.atFrom);
    EXPECT_TRUE(merged.otherAligned);
    EXPECT_EQ(Rail::count(), 1);
    // Splitting at an end, off the piece or on an invalid piece does nothing.
    EXPECT_EQ(Rail::division(a, 0, 0, 0), -1);
    EXPECT_EQ(Rail::division(a, 0, 10, 300), -1);
    EXPECT_EQ(Rail::division(-1, 0, 0, 300), -1);
}

TEST_F(TopologyTest, MergeRefusals) {
    struct Case {
        const char* name;
        int typ2, spd2;
        int32_t tz2, ty2, tx2;  // the second piece runs from (0, 0, 1000)
    };
    const Case cases[] = {
        {"other class", 0, 12, 0, 0, 2000},
        {"other type", 1, 9, 0, 0, 2000},
        {"bent", 0, 9, 0, 100, 2000},
        {"bent in height", 0, 9, 50, 0, 2000},
        {"too long together", 0, 9, 0, 0, 15001},
    };
    for (const auto& c : cases) {
        RailCore::reset();
        add(9, 0, 0, 0, 0, 0, 1000);
        // Bypass lengthening: store the second piece directly.
        int32_t b = Rail::add_main(c.typ2, c.spd2, RailPoint{0, 0, 1000}, RailPoint{c.tz2, c.ty2, c.tx2});
        ASSERT_GE(b, 0) << c.name;
        EXPECT_EQ(Rail::merge(0, 0, 1000), -1) << c.name;
        EXPECT_EQ(Rail::count(), 2) << c.name;
    }
    // Three pieces at the point: nothing to merge.
    RailCore::reset();
    add(9, 0, 0, 0, 0, 0, 1000);
    Rail::add_main(0, 9, RailPoint{0, 0, 1000}, RailPoint{0, 0, 2000});
    Rail::add_main(0, 9, RailPoint{0, 0, 1000}, RailPoint{0, 500, 1000});
    EXPECT_EQ(Rail::merge(0, 0, 1000), -1);
}

TEST_F(TopologyTest, ReverseAndEraseTellTheTrains) {
    int32_t a = add(9, 0, 0, 0, 0, 0, 1000);
    int32_t ss = Rail::addSignal(a);
    EXPECT_TRUE(Rail::reverse(a));
    EXPECT_EQ(Rail::getStartZYX(a), (std::vector<int32_t>{0, 0, 1000}));
    EXPECT_EQ(Rail::getSignal(rev(a)), ss);
    EXPECT_EQ(hooks.edits.back().kind, RailEditKind::Reverse);
    EXPECT_EQ(hooks.edits.back().oldLength, 1000 * 103680);
    EXPECT_EQ(Rail::getIndex(0, 0, 200, 0, 0, 700), a);  // turned round again
    EXPECT_EQ(Rail::getStartZYX(a), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(Rail::erase(a), (std::vector<int32_t>{0, 0, 0, 0, 0, 1000}));
    EXPECT_EQ(hooks.edits.back().kind, RailEditKind::Erase);
    EXPECT_EQ(hooks.edits.back().piece, a);
    EXPECT_FALSE(Signal::isValid(ss));  // its signals are freed
    EXPECT_TRUE(Rail::erase(a).empty());
    EXPECT_FALSE(Rail::reverse(a));
    EXPECT_EQ(Rail::count(), 0);
    // The lowest free slot is reused.
    add(9, 0, 0, 0, 0, 0, 100);
    add(9, 0, 100, 0, 0, 100, 100);
    add(9, 0, 200, 0, 0, 200, 100);
    Rail::erase(1);
    Rail::erase(0);
    EXPECT_EQ(add(9, 0, 300, 0, 0, 300, 100), 0);
    EXPECT_EQ(add(9, 0, 400, 0, 0, 400, 100), 1);
    EXPECT_EQ(add(9, 0, 500, 0, 0, 500, 100), 3);
}

}  // namespace
}  // namespace tetsuro::test
