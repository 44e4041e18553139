// Sections, markers and signals: aspects, player signals, boundaries and
// their removal.
#include <set>

#include "rail_fixture.h"

namespace tetsuro::test {
namespace {

using SignalTest = RailTest;

// The piece through a plan point (the highest-numbered one).
int32_t pieceAt(int64_t y, int64_t x) {
    auto v = Rail::getAll_RYX(y, x);
    return v.empty() ? -1 : v[0];
}

TEST_F(SignalTest, AspectTable) {
    // Four sections A..D along y = 1000 between signals at x = 1000, 2000
    // and 3000, dead ends at 0 and 4000. Each piece runs west to east, so
    // the signal at its From end faces eastbound trains.
    struct Case {
        const char* name;
        int spd;
        std::set<int> held;          // sections (0 = A) holding a train
        std::array<int, 8> states;   // A east, A west, B east, ... D west
    };
    const int S = Signal::kStop, C = Signal::kCaution, P = Signal::kProceed;
    const Case cases[] = {
        {"free line", 21, {}, {P, C, P, P, P, P, C, P}},
        {"B occupied", 21, {1}, {C, C, S, S, P, C, C, P}},
        {"B and D occupied", 21, {1, 3}, {C, C, S, S, C, C, S, S}},
        {"two aspects never caution", 9, {1}, {P, P, S, S, P, P, P, P}},
    };
    for (const auto& c : cases) {
        RailCore::reset();
        ASSERT_GE(lay(c.spd, 1000, 0, 1000, 4000), 0);
        for (int x : {1000, 2000, 3000}) ASSERT_TRUE(RailCommands::setSignal(0, 1000, x)) << c.name;
        std::array<int32_t, 4> piece{};
        for (int i = 0; i < 4; ++i) {
            piece[i] = pieceAt(1000, 500 + 1000 * i);
            if (c.held.count(i)) Heisoku::setTI_Rail(piece[i], 7 + i);
        }
        for (int i = 0; i < 4; ++i) Heisoku::renewSignal(Rail::getHS(piece[i]));
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Signal::getSt(Rail::getSignal(piece[i])), c.states[2 * i]) << c.name << " section " << i;
            EXPECT_EQ(Signal::getSt(Rail::getSignal(rev(piece[i]))), c.states[2 * i + 1]) << c.name << " section " << i;
        }
        sound();
    }
}

TEST_F(SignalTest, CautionCapsAndTrainsLeaving) {
    lay(21, 1000, 0, 1000, 3000);
    RailCommands::setSignal(0, 1000, 1000);
    RailCommands::setSignal(0, 1000, 2000);
    int32_t a = pieceAt(1000, 500), b = pieceAt(1000, 1500);
    Heisoku::setTI_Rail(b, 3);
    Heisoku::renewSignal(Rail::getHS(b));
    EXPECT_EQ(Rail::getSignalSP(a), 9);      // caution ahead of B
    EXPECT_EQ(Rail::getSignalSP(b), 100);    // stop is no cap
    EXPECT_EQ(Rail::getSignalSP(-1), 100);   // no signal
    EXPECT_EQ(Heisoku::getTI_ri(b), 3);
    Heisoku::delTrain(3);
    EXPECT_EQ(Heisoku::getTI_ri(b), -1);
    EXPECT_EQ(Signal::getSt(Rail::getSignal(b)), Signal::kProceed);
    EXPECT_EQ(Rail::getSignalSP(a), 100);
}

TEST_F(SignalTest, PlayerSignalMidPieceAndAtADeadEnd) {
    int32_t a = lay(21, 1000, 0, 1000, 2000);
    ASSERT_EQ(Heisoku::count(), 1);
    EXPECT_TRUE(RailCommands::setSignal(0, 1000, 800));
    EXPECT_EQ(Rail::count(), 2);
    EXPECT_EQ(Heisoku::count(), 2);
    EXPECT_EQ(Antenna::getType(0, 1000, 800), 3);
    for (int32_t r : Rail::getAll_StartEnd(0, 1000, 800)) EXPECT_GE(Rail::getSignal(r), 0);
    EXPECT_EQ(hooks.m_charges, (std::vector<int64_t>{1000}));
    // Nothing to build at a dead end, off the track, or where a boundary stands.
    EXPECT_FALSE(RailCommands::setSignal(0, 1000, 0));
    EXPECT_FALSE(RailCommands::setSignal(0, 5000, 5000));
    EXPECT_FALSE(RailCommands::setSignal(0, 1000, 800));
    // Nor without the money.
    hooks.m_budget = 999;
    EXPECT_FALSE(RailCommands::setSignal(0, 1000, 1200));
    EXPECT_EQ(hooks.m_charged, 1000);
    sound();
    // Removing it joins sections and pieces again.
    const int renewals = hooks.renewals;
    EXPECT_TRUE(RailCommands::eraseSignal(0, 1000, 800));
    EXPECT_GT(hooks.renewals, renewals);
    EXPECT_EQ(Rail::count(), 1);
    EXPECT_EQ(Heisoku::count(), 1);
    EXPECT_EQ(Antenna::searchIndex(0, 1000, 800), -1);
    EXPECT_TRUE(Rail::isValid(a));
    EXPECT_EQ(Rail::length_cm(a), 2000);
    // A boundary the track needs stays.
    EXPECT_FALSE(RailCommands::eraseSignal(0, 1000, 0));
    EXPECT_EQ(Antenna::getType(0, 1000, 0), 0);
}

TEST_F(SignalTest, EraseSignalRefusedBetweenTwoTrains) {
    lay(21, 1000, 0, 1000, 2000);
    RailCommands::setSignal(0, 1000, 1000);
    int32_t a = pieceAt(1000, 500), b = pieceAt(1000, 1500);
    Heisoku::setTI_Rail(a, 1);
    Heisoku::setTI_Rail(b, 2);
    EXPECT_FALSE(RailCommands::eraseSignal(0, 1000, 1000));
    EXPECT_EQ(Heisoku::count(), 2);
    // With one train the sections join and the train keeps holding it.
    Heisoku::setTI_Rail(a, -1);
    EXPECT_TRUE(RailCommands::eraseSignal(0, 1000, 1000));
    EXPECT_EQ(Heisoku::count(), 1);
    EXPECT_EQ(Heisoku::getTI_ri(pieceAt(1000, 500)), 2);
}

TEST_F(SignalTest, MarkerAddReportsExistingMarkers) {
    auto made = Antenna::add(0, 5, 10, 20);
    EXPECT_EQ(made.status, Antenna::AddStatus::Created);
    EXPECT_TRUE(made.created);
    // An existing type-0 marker is named, not confused with "none".
    auto again = Antenna::add(3, 5, 10, 20);
    EXPECT_EQ(again.status, Antenna::AddStatus::Exists);
    EXPECT_EQ(again.index, made.index);
    EXPECT_FALSE(again.created);
    EXPECT_EQ(Antenna::getType(again.index), 0);
    EXPECT_EQ(Antenna::add(4, 0, 0, 0).status, Antenna::AddStatus::Refused);
    EXPECT_EQ(Antenna::add(0, 40000, 0, 0).status, Antenna::AddStatus::Refused);
    // Moving a dead-end marker.
    EXPECT_EQ(Antenna::move(RailPoint{0, 1, 1}, RailPoint{5, 10, 21}), -1);
    EXPECT_EQ(Antenna::move(RailPoint{5, 10, 20}, RailPoint{5, 10, 22}), made.index);
    EXPECT_EQ(Antenna::searchIndex(5, 10, 22), made.index);
    EXPECT_EQ(Antenna::searchIndex(5, 10, 20), -1);
    auto other = Antenna::add(1, 0, 50, 50);
    EXPECT_EQ(Antenna::move(RailPoint{0, 50, 50}, RailPoint{0, 60, 60}), -2);
    EXPECT_EQ(Antenna::move(RailPoint{5, 10, 22}, RailPoint{0, 50, 50}), -3);
    EXPECT_EQ(Antenna::count(), 1);  // f's marker went, t's (type 1) stayed
    EXPECT_TRUE(Antenna::isValid(other.index));
    Antenna::reset();
}

TEST_F(SignalTest, JoiningSectionsFreesTheEmptiedOne) {
    lay(21, 1000, 0, 1000, 2000);
    RailCommands::setSignal(0, 1000, 1000);
    int32_t a = pieceAt(1000, 500), b = pieceAt(1000, 1500);
    int32_t from = Rail::getHS(b), into = Rail::getHS(a);
    Heisoku::setTI_Rail(b, 4);
    Rail::changeHeisoku(from, into);
    EXPECT_FALSE(Heisoku::isValid(from));
    EXPECT_EQ(Heisoku::count(), 1);
    EXPECT_EQ(Heisoku::m_ti[into], 4);  // the train moved along
    // The boundary now separates nothing: remove it so the track is sound.
    Heisoku::eraseSignalAntennaHeisoku(0, 1000, 1000);
}

TEST_F(SignalTest, FloodStopsAtMarkersJunctionsAndDeadEnds) {
    // P0 (class 9) | P1 - P2 (class 12, bent at 2000) + junction at
    // (1500, 3000) with P3 and P4.
    int32_t p0 = lay(9, 1000, 0, 1000, 1000);
    int32_t p1 = lay(12, 1000, 1000, 1000, 2000);
    int32_t p2 = lay(12, 1000, 2000, 1500, 3000);
    int32_t p3 = lay(12, 1500, 3000, 1500, 4000);
    int32_t p4 = lay(12, 1500, 3000, 2500, 3500);
    ASSERT_EQ(Rail::count(), 5);
    ASSERT_EQ(Antenna::getType(0, 1000, 1000), 3);
    ASSERT_EQ(Antenna::getType(0, 1500, 3000), 2);
    EXPECT_EQ(Rail::getHS(p1), Rail::getHS(p2));
    std::array<int32_t, 5> before{Rail::getHS(p0), Rail::getHS(p1), Rail::getHS(p2), Rail::getHS(p3), Rail::getHS(p4)};
    int32_t fresh = Heisoku::add();
    Rail::changeHeisokuOne(p1, fresh);
    EXPECT_EQ(Rail::getHS(p1), fresh);
    EXPECT_EQ(Rail::getHS(p2), fresh);
    EXPECT_EQ(Rail::getHS(p0), before[0]);
    EXPECT_EQ(Rail::getHS(p3), before[3]);
    EXPECT_EQ(Rail::getHS(p4), before[4]);
    EXPECT_FALSE(Heisoku::isValid(before[1]));  // emptied, freed
    sound();
}

TEST_F(SignalTest, FloodTerminatesOnLoops) {
    // A closed square of bent pieces, one class: one section, no markers.
    lay(12, 1000, 1000, 1000, 3000);
    lay(12, 1000, 3000, 3000, 3000);
    lay(12, 3000, 3000, 3000, 1000);
    lay(12, 3000, 1000, 1000, 1000);
    ASSERT_EQ(Rail::count(), 4);
    EXPECT_EQ(Heisoku::count(), 1);
    EXPECT_EQ(Antenna::count(), 0);
    int32_t fresh = Heisoku::add();
    Rail::changeHeisokuOne(0, fresh);
    for (int32_t n = 0; n < 4; ++n) EXPECT_EQ(Rail::getHS(n), fresh);
    // One signal on the loop makes it one section with a boundary.
    EXPECT_TRUE(RailCommands::setSignal(0, 1000, 2000));
    EXPECT_EQ(Heisoku::count(), 1);
    sound();
    // Two pieces over the same stretch make a cycle of two.
    RailCore::reset();
    checks.checkBoundaries = false;
    Rail::add_main(0, 9, RailPoint{0, 0, 0}, RailPoint{0, 0, 500});
    Rail::add_main(0, 9, RailPoint{0, 0, 500}, RailPoint{0, 0, 0});
    int32_t s = Heisoku::add();
    Rail::changeHeisokuOne(0, s);
    EXPECT_EQ(Rail::getHS(1), s);
}

TEST_F(SignalTest, RemovingAMiddlePieceCutsItsSection) {
    lay(12, 1000, 0, 1000, 1000);
    int32_t mid = lay(12, 1000, 1000, 1500, 2000);
    lay(12, 1500, 2000, 1500, 3000);
    ASSERT_EQ(Heisoku::count(), 1);
    EXPECT_TRUE(Heisoku::removeRail(mid));
    sound();
    EXPECT_EQ(Rail::count(), 2);
    EXPECT_EQ(Heisoku::count(), 2);
    EXPECT_NE(Rail::getHS(pieceAt(1000, 500)), Rail::getHS(pieceAt(1500, 2500)));
    for (auto p : {RailPoint{0, 1000, 1000}, RailPoint{0, 1500, 2000}}) {
        EXPECT_EQ(Antenna::getType(p.z, p.y, p.x), 0);
        EXPECT_GE(Rail::getSignal(Rail::getAll_StartEnd(p.z, p.y, p.x)[0]), 0);
    }
    EXPECT_FALSE(Heisoku::removeRail(mid));
}

TEST_F(SignalTest, FourEndsKeepFourSections) {
    const int classes[] = {9, 12, 15, 18};
    const std::array<int32_t, 2> from[] = {{1000, 0}, {1000, 2000}, {0, 1000}, {2000, 1000}};
    for (int i = 0; i < 4; ++i) lay(classes[i], from[i][0], from[i][1], 1000, 1000);
    auto leaving = Rail::getAll_StartEnd(0, 1000, 1000);
    ASSERT_EQ(leaving.size(), 4u);
    EXPECT_EQ(Antenna::getType(0, 1000, 1000), 2);
    std::set<int32_t> sections;
    for (int32_t r : leaving) {
        sections.insert(Rail::getHS(r));
        EXPECT_GE(Rail::getSignal(r), 0);
    }
    EXPECT_EQ(sections.size(), 4u);
}

TEST_F(SignalTest, AtTheSectionLimitTrackIsBuiltWithoutBoundaries) {
    lay(21, 1000, 0, 1000, 2000);
    // Fill the store with sections no piece uses (the checker would object,
    // so it runs once they are gone).
    std::vector<int32_t> filler;
    for (int32_t s; (s = Heisoku::add()) >= 0;) filler.push_back(s);
    EXPECT_EQ(Heisoku::count(), Heisoku::kMax);
    EXPECT_FALSE(RailCommands::setSignal(0, 1000, 1000));
    EXPECT_TRUE(hooks.m_charges.empty());
    // An isolated piece needs a section of its own: not built.
    EXPECT_EQ(RailCommands::layPiece(0, 21, RailPoint{0, 5000, 0}, RailPoint{0, 5000, 1000}), -1);
    // Joined to existing track it is.
    EXPECT_GE(RailCommands::layPiece(0, 21, RailPoint{0, 1000, 2000}, RailPoint{0, 1500, 2500}), 0);
    for (int32_t s : filler) Heisoku::remove(s);
    EXPECT_EQ(Heisoku::count(), 1);
}

TEST_F(SignalTest, RemovingABoundaryReconcilesAlongTheChain) {
    // Player signals the track does not need go when a reconcile reaches
    // their point: removing the middle one merges pieces, whose far ends are
    // reconciled in turn, all the way along the straight line.
    lay(21, 1000, 0, 1000, 4000);
    for (int x : {1000, 2000, 3000}) RailCommands::setSignal(0, 1000, x);
    ASSERT_EQ(Rail::count(), 4);
    // A bend ends the chain: pieces that do not continue each other stay.
    lay(21, 1000, 4000, 2000, 5000);
    RailCommands::setSignal(0, 1500, 4500);
    ASSERT_EQ(Rail::count(), 6);
    EXPECT_TRUE(RailCommands::eraseSignal(0, 1000, 2000));
    EXPECT_EQ(Rail::count(), 3);
    EXPECT_EQ(Heisoku::count(), 2);
    for (int x : {1000, 2000, 3000}) EXPECT_EQ(Antenna::searchIndex(0, 1000, x), -1);
    EXPECT_EQ(Antenna::getType(0, 1500, 4500), 3);
}

TEST_F(SignalTest, AtTheSignalLimitNoBoundaryIsMade) {
    lay(21, 1000, 0, 1000, 2000);
    std::vector<int32_t> filler;
    for (int32_t s; Signal::count() < Signal::kMax - 1 && (s = Signal::add()) >= 0;) filler.push_back(s);
    // One signal left, two needed.
    EXPECT_FALSE(RailCommands::setSignal(0, 1000, 1000));
    EXPECT_TRUE(hooks.m_charges.empty());
    EXPECT_EQ(Antenna::searchIndex(0, 1000, 1000), -1);
    for (int32_t s : filler) Signal::remove(s);
    EXPECT_TRUE(RailCommands::setSignal(0, 1000, 1000));
}

}  // namespace
}  // namespace tetsuro::test
