#include <algorithm>
#include <random>

#include "map_fixture.h"
#include "support/run_length.h"

namespace tetsuro {
namespace {

using test::MapStateTest;

void addCounter(int32_t n, int32_t which, int32_t v) {
    switch (which) {
        case 0: Block::addHIn(n, v); break;
        case 1: Block::addHOut(n, v); break;
        case 2: Block::addOIn(n, v); break;
        default: Block::addOOut(n, v); break;
    }
}

class BlockTest : public MapStateTest {
protected:
    void SetUp() override {
        MapStateTest::SetUp();
        ASSERT_TRUE(Block::init(3, 4));
    }
};

TEST_F(BlockTest, HourlyDecay) {
    struct Case {
        const char* what;
        int32_t counter, points, expected;
    };
    const Case cases[] = {
        {"100 with 64 points", 100, 64, 94},
        {"0 with no points", 0, 0, -1},
        {"spent stays spent", -1, 64, -1},
        {"never below -1", 3, 640, -1},
        {"a full counter", 32767, 0, 32767 - 1023 - 1},
        {"below -1 (added by hand) comes back to -1", -5, 0, -1},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Block::init(1, 1));
        Block::addHP(0, c.points);
        Block::addOP(0, 2 * c.points);
        for (int w = 0; w < 4; ++w) Block::setCounter(0, w, c.counter);
        Block::restore();
        EXPECT_EQ(Block::getHIn(0), c.expected) << c.what;
        EXPECT_EQ(Block::getHOut(0), c.expected) << c.what;
        // The office counters decay with the office points.
        int32_t office = c.counter;
        if (office != -1) office = std::max(office - (office >> 5) - ((2 * c.points) >> 5) - 1, -1);
        EXPECT_EQ(Block::getOIn(0), office) << c.what;
        EXPECT_EQ(Block::getOOut(0), office) << c.what;
    }
}

// The active-block list (and the whole-table pass after a new map or a
// load) against the literal rule applied to every block.
TEST_F(BlockTest, DecayOverActiveBlocksEqualsTheFullScan) {
    std::mt19937 rng(11);
    for (int round = 0; round < 20; ++round) {
        const int32_t by = 1 + int32_t(rng() % 20), bx = 1 + int32_t(rng() % 20), n = by * bx;
        ASSERT_TRUE(Block::init(by, bx));
        std::vector<int32_t> sw(std::size_t(n) * 4, 0), pts(std::size_t(n) * 2, 0);
        for (int step = 0; step < 400; ++step) {
            const int32_t b = int32_t(rng() % uint32_t(n)), w = int32_t(rng() % 4);
            const auto idx = std::size_t(b) * 4 + std::size_t(w);
            switch (rng() % 8) {
                case 0:
                case 1:
                case 2:
                case 3: {
                    const int32_t v = int32_t(rng() % 200) - 3;
                    addCounter(b, w, v);
                    sw[idx] = std::clamp(sw[idx] + v, -32768, 32767);
                    break;
                }
                case 4: {
                    const int32_t p = int32_t(rng() % 400);
                    Block::addHP(b, p);
                    Block::addOP(b, p / 2);
                    pts[std::size_t(b) * 2] = std::min(pts[std::size_t(b) * 2] + p, 32767);
                    pts[std::size_t(b) * 2 + 1] = std::min(pts[std::size_t(b) * 2 + 1] + p / 2, 32767);
                    break;
                }
                case 5:
                    // A save and load: the next hour visits every block again.
                    Block::compress();
                    Block::decompress();
                    break;
                default: {
                    Block::restore();
                    for (int32_t i = 0; i < n * 4; ++i) {
                        int32_t& c = sw[std::size_t(i)];
                        if (c == -1) continue;
                        const int32_t p = pts[std::size_t(i / 4) * 2 + (i % 4 >= 2 ? 1 : 0)];
                        c = c - (c >> 5);
                        c = c - (p >> 5);
                        c = c - 1;
                        c = std::max(c, -1);
                    }
                    ASSERT_TRUE(std::equal(sw.begin(), sw.end(), Block::m_sw.begin())) << round << " " << step;
                    break;
                }
            }
        }
        EXPECT_LE(Block::activeCount(), n);
    }
}

TEST_F(BlockTest, CountersAndPointsSaturate) {
    Block::addHIn(0, 40000);
    EXPECT_EQ(Block::getHIn(0), 32767);
    Block::addHIn(0, 5);
    EXPECT_EQ(Block::getHIn(0), 32767);
    Block::addHP(1, 12288);  // 1024 meshes of grade-12 houses
    Block::setCounter(1, 0, -1);
    EXPECT_EQ(Block::resHInRest(1), 12288 * 16 + 1);
    Block::addOP(2, 30000);
    Block::addOP(2, 30000);
    EXPECT_EQ(Block::getOP(2), 32767);
    EXPECT_EQ(Block::getHIn(99), 0);  // no such block
    Block::addHIn(99, 1);
}

TEST_F(BlockTest, DestinationLists) {
    for (int d = 0; d < 9; ++d) Block::addDestinationH(1, 2, 100 + d);  // the ninth does not fit
    const int32_t n = Block::getNumber(1, 2);
    ASSERT_EQ(n, 6);
    EXPECT_EQ(Block::peekDestination(n, 0, 7), 107);
    EXPECT_EQ(Block::peekDestination(n, 1, 0), -1);

    // Reading walks the ring; an empty entry holds the position.
    Block::delDestination(n, 101);
    EXPECT_EQ(Block::getDestinationH(n), 100);
    EXPECT_EQ(Block::getDestinationH(n), -1);
    EXPECT_EQ(Block::getDestinationIdxH(n), 1);
    Block::incDIH(n);
    EXPECT_EQ(Block::getDestinationH(n), 102);

    // Writing: at the rotating position, which then moves two further for a
    // destination and one for a clear.
    ASSERT_TRUE(Block::init(3, 4));
    Block::setDestinationO(5, 7);
    EXPECT_EQ(Block::peekDestination(5, 1, 0), 7);
    EXPECT_EQ(Block::getDestinationIdxO(5), 2);
    Block::setDestinationO(5, -1);
    EXPECT_EQ(Block::getDestinationIdxO(5), 3);
    for (int i = 0; i < 3; ++i) Block::setDestinationO(5, 8);
    EXPECT_EQ(Block::getDestinationIdxO(5), 1);  // 3 + 6, mod 8
    EXPECT_EQ(Block::peekDestination(5, 1, 3), 8);
    EXPECT_EQ(Block::peekDestination(5, 1, 5), 8);
    EXPECT_EQ(Block::peekDestination(5, 1, 7), 8);

    Block::addDestinationO(0, 0, 8);
    Block::delDestination(8);
    EXPECT_EQ(Block::peekDestination(5, 1, 3), -1);
    EXPECT_EQ(Block::peekDestination(0, 1, 0), -1);
    EXPECT_EQ(Block::peekDestination(5, 1, 0), 7);
    EXPECT_EQ(Block::getDestination(99, 0), -1);
}

TEST_F(BlockTest, PackingRoundTripsAndRefusesDamagedData) {
    std::mt19937 rng(3);
    std::vector<int32_t> posH, posO;
    for (int32_t n = 0; n < Block::size(); ++n) {
        Block::setLandValue(n, int32_t(rng() % 700));
        for (int w = 0; w < 4; ++w) Block::setCounter(n, w, int32_t(rng() % 50) - 1);
        for (uint32_t i = rng() % 4; i > 0; --i) Block::incDIH(n);
        for (uint32_t i = rng() % 9; i > 0; --i) Block::incDIO(n);
        posH.push_back(Block::getDestinationIdxH(n));
        posO.push_back(Block::getDestinationIdxO(n));
    }
    Block::addDestinationH(1, 3, 9);
    const auto lv = Block::m_swLV;
    const auto sw = Block::m_sw;
    Block::compress();
    const auto sbC = Block::m_sbC;
    const auto swC = Block::m_swC;
    const auto lvC = Block::m_swLVC;

    ASSERT_TRUE(Block::init(3, 4));
    Block::m_sbC = sbC;
    Block::m_swC = swC;
    Block::m_swLVC = lvC;
    Block::decompress();
    EXPECT_EQ(Block::m_swLV, lv);
    EXPECT_EQ(Block::m_sw, sw);
    for (int32_t n = 0; n < Block::size(); ++n) {
        EXPECT_EQ(Block::getDestinationIdxH(n), posH[std::size_t(n)]) << n;
        EXPECT_EQ(Block::getDestinationIdxO(n), posO[std::size_t(n)]) << n;
    }
    EXPECT_EQ(Block::peekDestination(7, 0, 0), -1);  // lists are not saved
    EXPECT_TRUE(Block::m_swC.empty());
    EXPECT_EQ(Block::activeCount(), Block::size());  // the next hour looks at every block

    // Counters one value short: nothing half loaded.
    Block::compress();
    Block::m_swC = VelJLib::compressSW(std::vector<int16_t>(sw.begin(), sw.end() - 1));
    EXPECT_THROW(Block::decompress(), PackedDataException);
    EXPECT_EQ(Block::size(), 12);
    EXPECT_TRUE(std::all_of(Block::m_swLV.begin(), Block::m_swLV.end(), [](int16_t v) { return v == 0; }));
    EXPECT_TRUE(std::all_of(Block::m_sw.begin(), Block::m_sw.end(), [](int16_t v) { return v == 0; }));
    EXPECT_EQ(Block::getDestinationIdxH(0), 0);
    EXPECT_TRUE(Block::m_sbC.empty());
}

}  // namespace
}  // namespace tetsuro
