// Automatic names and the name field.
#include "station_fixture.h"
#include "trains/station_names.h"

namespace tetsuro::test {
namespace {

class StationNameTest : public StationTest {
protected:
    int mapSize() const override { return 100; }
    // Stations made for their names alone have nothing built.
    void TearDown() override {
        StationCore::reset();
        StationTest::TearDown();
    }
    static std::string name(int32_t si) { return Station::getName(si).toUtf8(); }
};

TEST_F(StationNameTest, SectorsOfTheMapAndItsEdges) {
    struct Case {
        int32_t my, mx;
        const char* name;
    };
    const Case cases[] = {
        {0, 0, "多摩"},      // south-west corner: entry 56
        {99, 99, "つくば"},  // north-east corner: entry 7
        {99, 0, "坂戸"},     // north-west: entry 0
        {0, 99, "浦安"},     // south-east: entry 63
        {85, 40, "大宮"},    // row 6, column 3: entry 11
    };
    for (const auto& c : cases) {
        const int32_t si = Station::add(false, c.my, c.mx);
        ASSERT_GE(si, 0);
        EXPECT_EQ(name(si), c.name) << c.my << "," << c.mx;
    }
    // Meshes off the map name the nearest sector instead of reading past
    // the table, and no station can stand there.
    EXPECT_EQ(StationNames::placeNameAt(-5, 200).toUtf8(), "浦安");
    EXPECT_EQ(StationNames::placeNameAt(1000, -1).toUtf8(), "坂戸");
    const int32_t count = Station::count();
    for (auto [my, mx] : {std::pair{-1, 5}, {5, -1}, {100, 5}, {5, 100}}) EXPECT_EQ(Station::add(false, my, mx), -1);
    EXPECT_EQ(Station::count(), count);
    // The same mesh gives the same station.
    EXPECT_EQ(Station::add(true, 85, 40), Station::add(false, 85, 40));
}

TEST_F(StationNameTest, DirectionThenAffixesInRandomOrderThenBlockNumbers) {
    Sub::randomSource().seed(321, 7);
    RandomSource mirror = Sub::randomSource();
    ASSERT_EQ(name(Station::add(false, 80, 40)), "大宮");
    // 4 meshes north and 3 west of the sector's centre (81, 43).
    ASSERT_EQ(name(Station::add(false, 85, 40)), "北大宮");
    // Every later station north of the centre tries the affixes in a fresh
    // random order, skipping the names taken.
    const char* affixes[] = {"新", "上", "中", "下", "武蔵", "本町", "公園", "台"};
    auto withAffix = [&](int a) {
        return a < 5 ? std::string(affixes[a]) + "大宮" : "大宮" + std::string(affixes[a]);
    };
    std::vector<std::string> taken;
    const std::pair<int32_t, int32_t> north[] = {{85, 43}, {86, 43}, {87, 43}, {85, 42}, {85, 44},
                                                 {86, 42}, {86, 44}, {87, 42}, {87, 44}, {86, 41}};
    for (int i = 0; i < 8; ++i) {
        std::string expected;
        for (int32_t a : mirror.permutation(8)) {
            if (std::find(taken.begin(), taken.end(), withAffix(a)) == taken.end()) {
                expected = withAffix(a);
                break;
            }
        }
        const int32_t si = Station::add(false, north[i].first, north[i].second);
        EXPECT_EQ(name(si), expected) << i;
        taken.push_back(expected);
    }
    EXPECT_EQ(name(Station::add(false, north[8].first, north[8].second)), "大宮1丁目");
    EXPECT_EQ(name(Station::add(false, north[9].first, north[9].second)), "大宮2丁目");
    // A freed record's name no longer counts.
    Station::remove(1);
    EXPECT_EQ(Station::getName(1).toUtf8(), "----");
    EXPECT_EQ(name(Station::add(false, 85, 41)), "北大宮");
}

TEST_F(StationNameTest, YardsTakeTheYardNameFirstAndDropItAfter) {
    ASSERT_EQ(name(Station::add(true, 10, 20)), "稲城操車場");
    // 2 north and 4 east of the sector's centre (6, 18): east.
    EXPECT_EQ(name(Station::add(true, 8, 22)), "東稲城");
    EXPECT_EQ(name(Station::add(false, 10, 24)), "稲城");
    EXPECT_TRUE(Station::isYard(0));
    EXPECT_EQ(Station::m_PLM[0], -1);
    EXPECT_EQ(Station::m_PDH[0], 0);
    EXPECT_EQ(Station::m_PDH[2], 100);
}

TEST_F(StationNameTest, NamesAreCutAtACharacterBoundary) {
    const int32_t si = Station::add(false, 50, 50);
    // Ten full-width characters are 20 bytes: nine fit.
    Station::setName(si, J_String(u8"あいうえおかきくけこ"));
    EXPECT_EQ(name(si), "あいうえおかきくけ");
    // A half-width letter first: 1 + 8 x 2 = 17 bytes, never half of the ninth.
    Station::setName(si, J_String(u8"Aあいうえおかきくけ"));
    EXPECT_EQ(name(si), "Aあいうえおかきく");
    auto field = Station::nameField(si);
    EXPECT_EQ(field[17], 0);
    // A shorter name leaves nothing of the longer one behind.
    Station::setName(si, J_String(u8"駅"));
    EXPECT_EQ(name(si), "駅");
    EXPECT_EQ(Station::getNameCA(si), u"駅");
}

}  // namespace
}  // namespace tetsuro::test
