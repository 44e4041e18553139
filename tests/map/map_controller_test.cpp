#include <cstdlib>
#include <random>

#include "game/canvas_text.h"
#include "game/headless_driver.h"
#include "map/land_price.h"
#include "map/map_view_hooks.h"
#include "map_fixture.h"

namespace tetsuro {
namespace {

using test::ControllerTest;

TEST_F(ControllerTest, MapSizeRebuildsTablesOrRefuses) {
    ASSERT_TRUE(ctl.setMapSize(20, 30));
    EXPECT_EQ(canvas.slots().m_swa[SWA_MAP_MY], 20);
    EXPECT_EQ(canvas.slots().m_swa[SWA_MAP_MX], 30);
    EXPECT_EQ(Map::m_mx, 30);
    EXPECT_EQ(Block::m_iBY, 3);  // 8 meshes of 10 m to a block side
    EXPECT_EQ(Block::m_iBX, 4);
    EXPECT_EQ(Sub::m_iBX, 4);
    EXPECT_EQ(hooks.roadCrossInits, 1);
    EXPECT_EQ(hooks.crossingInits, 1);

    EXPECT_FALSE(ctl.setMapSize(32768, 1));
    EXPECT_EQ(Map::m_my, 20);
    EXPECT_EQ(canvas.slots().m_swa[SWA_MAP_MY], 20);
}

TEST_F(ControllerTest, GameStartWithoutMemoryReturnsToTheTitle) {
    canvas.setState(STATE_PLAY);
    ASSERT_TRUE(ctl.setMapSize(20, 20));
    Map::s_maxArrayBytes = 1000;
    EXPECT_FALSE(ctl.startGameMap(256, 256));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], kOutOfMemoryMessage);
    EXPECT_EQ(canvas.state(), STATE_TITLE);
    // No half-made map is left for the other tables to index.
    EXPECT_EQ(Map::m_my, 0);
    EXPECT_EQ(Block::size(), 0);
    EXPECT_EQ(canvas.slots().m_swa[SWA_MAP_MY], 0);
}

TEST_F(ControllerTest, GridNeverExceedsTheMesh) {
    ASSERT_EQ(canvas.slots().m_swa[SWA_GRID], 50);
    EXPECT_TRUE(ctl.setMeshSize(25));
    EXPECT_EQ(canvas.slots().m_swa[SWA_GRID], 25);
    EXPECT_EQ(Map::m_gs, 25);
    EXPECT_EQ(hooks.meshSize, 25);
    EXPECT_TRUE(ctl.setGridSize(50));
    EXPECT_EQ(canvas.slots().m_swa[SWA_GRID], 25);
    EXPECT_FALSE(ctl.setMeshSize(30));
    EXPECT_FALSE(ctl.setGridSize(7));
    EXPECT_TRUE(ctl.setMeshSize(400));
    EXPECT_TRUE(ctl.setGridSize(50));
    EXPECT_EQ(canvas.slots().m_swa[SWA_GRID], 50);
}

TEST_F(ControllerTest, LandTypeChangesKeepBlockPoints) {
    ASSERT_TRUE(ctl.setMapSize(16, 16));  // 2 x 2 blocks
    struct Step {
        int32_t code, house, office;
    };
    const Step steps[] = {{3, 0, 0}, {30, 3, 0}, {41, 0, 2}, {27, 0, 5}, {39, 12, 0}, {3, 0, 0}};
    for (const Step& s : steps) {
        ctl.setMapTyp(3, 3, s.code);
        EXPECT_EQ(Block::getHP(0), s.house) << s.code;
        EXPECT_EQ(Block::getOP(0), s.office) << s.code;
    }
    EXPECT_EQ(hooks.objectMeshes.size(), std::size(steps));
    ctl.setMapTyp(-1, 0, 30);
    ctl.setMapTyp(0, 16, 30);
    EXPECT_EQ(ctl.getMapTyp(-1, 0), -1);
    EXPECT_EQ(hooks.objectMeshes.size(), std::size(steps));

    // Bulk changes agree with a recount from the map.
    ctl.setMapTyp(4, 4, 8, 20, 28, 0);  // only the fresh 0 meshes, clipped to the map
    EXPECT_EQ(hooks.rectMeshes, 8 * 12);
    const auto counted = Block::m_swaValue;
    Block::recomputePoints();
    EXPECT_EQ(Block::m_swaValue, counted);
    EXPECT_EQ(Block::getHP(3), 32);  // rows 8..11 of block (1, 1)
    ctl.setMapTypAll(27);
    EXPECT_EQ(Block::getOP(2), 64 * 5);
    EXPECT_EQ(Block::getHP(3), 0);
}

TEST_F(ControllerTest, PaddyRuleTurnsTheSquareToGrass) {
    ASSERT_TRUE(ctl.setMapSize(8, 8));
    ctl.setMapTyp(0, 0, 4, 4, LAND_PADDY, LAND_SEA);
    ctl.setMapTyp(3, 2, 30, true);
    EXPECT_EQ(ctl.getMapTyp(3, 2), 30);
    for (auto [y, x] : {std::pair{2, 2}, std::pair{2, 3}, std::pair{3, 3}}) EXPECT_EQ(ctl.getMapTyp(y, x), LAND_GRASS);
    EXPECT_EQ(ctl.getMapTyp(1, 2), LAND_PADDY);  // another square
    ctl.setMapTyp(1, 1, 30, false);
    EXPECT_EQ(ctl.getMapTyp(0, 0), LAND_PADDY);
}

TEST_F(ControllerTest, SeaCheckDropsThePointsOfDrownedMeshes) {
    ASSERT_TRUE(ctl.setMapSize(8, 8));
    ctl.setMapTyp(1, 1, 30);
    for (auto [y, x] : {std::pair{1, 1}, std::pair{1, 2}, std::pair{2, 1}, std::pair{2, 2}})
        Map::setSLv(y, x, Map::kNoLand);
    EXPECT_EQ(ctl.checkTypSea(), 1);
    EXPECT_EQ(Block::getHP(0), 0);
}

TEST(LandPrice, DoublesEvery32WordsAndSaturates) {
    struct Case {
        int32_t word;
        int64_t price;
    };
    for (const Case& c : {Case{-1, 64}, Case{0, 64}, Case{1, 64}, Case{2, 66}, Case{30, 122}, Case{32, 128},
                          Case{64, 256}, Case{2000, INT64_MAX / 4}, Case{32767, INT64_MAX / 4}})
        EXPECT_EQ(LandPrice::getLandValue(c.word), c.price) << c.word;
    int64_t last = 0;
    for (int32_t w = 0; w <= 32767; ++w) {
        const int64_t p = LandPrice::getLandValue(w);
        ASSERT_GE(p, last) << w;
        last = p;
    }
}

// 3 x 3 blocks of 8 x 8 meshes.
class LandValueTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        ASSERT_TRUE(ctl.setMapSize(24, 24));
    }
    int64_t book() { return canvas.slots().m_la[LA_ASSET_LAND]; }
};

TEST_F(LandValueTest, SpreadingStep) {
    struct Case {
        int8_t timeScale;
        int32_t own, neighbour, expected;
    };
    for (const Case& c : {Case{2, 5, 9, 6}, Case{4, 5, 9, 4}, Case{2, 6, 40, 6}}) {
        ASSERT_TRUE(ctl.setMapSize(24, 24));
        canvas.slots().m_sba[SBA_TIME_SCALE] = c.timeScale;
        ctl.setMapVal_byx(1, 1, c.own);
        ctl.setMapVal_byx(2, 1, c.neighbour);
        ctl.checkMapVal_byx(1, 1);
        EXPECT_EQ(ctl.getMapVal_byx(1, 1), c.expected) << int(c.timeScale) << " " << c.own;
        const bool ran = c.own % 2 == 1;
        EXPECT_EQ(ctl.getMapVal_byx(2, 1), ran ? c.neighbour | 1 : c.neighbour);
        for (auto [by, bx] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{1, 2}})
            EXPECT_EQ(ctl.getMapVal_byx(by, bx), ran ? 1 : 0);
        EXPECT_EQ(ctl.getMapVal_byx(0, 0), 0);
    }
    EXPECT_EQ(ctl.getMapVal_byx(3, 0), -1);
    EXPECT_EQ(ctl.getMapVal_myx(23, 23), ctl.getMapVal_byx(2, 2));
    // Block (2, 1) holds 40 from the last case.
    EXPECT_FLOAT_EQ(ctl.getNeiMapValAvg_byx(0, 0), 0.0f);
    EXPECT_FLOAT_EQ(ctl.getNeiMapValAvg_byx(2, 0), 20.0f);
    ctl.setMapVal_byx(1, 0, 9);
    EXPECT_FLOAT_EQ(ctl.getNeiMapValAvg_byx(0, 0), 4.5f);
    EXPECT_FLOAT_EQ(ctl.getNeiMapValAvg_byx(2, 0), 24.5f);
    EXPECT_EQ(ctl.getNeiMapValMax_byx(2, 0), 40);
    EXPECT_EQ(ctl.getNeiMapValMax_byx(0, 2), 0);
}

TEST_F(LandValueTest, EveryWordChangeRevaluesTheLandBook) {
    // Company land in blocks (1, 1) and (0, 2), plus a house that is not.
    ctl.setMapTyp(8, 8, 2, 3, LAND_OWNED, LAND_SEA);  // 6 meshes
    ctl.setMapTyp(9, 12, LAND_STATION_BUILDING);
    ctl.setMapTyp(10, 10, 30);
    ctl.setMapTyp(0, 16, LAND_TRACK);
    const int32_t company[3][3] = {{0, 0, 1}, {0, 7, 0}, {0, 0, 0}};
    canvas.slots().m_sba[SBA_TIME_SCALE] = 1;
    std::mt19937 rng(17);
    for (int i = 0; i < 3000; ++i) {
        const int32_t by = int32_t(rng() % 3), bx = int32_t(rng() % 3);
        switch (rng() % 4) {
            case 0: ctl.setMapVal_byx(by, bx, int32_t(rng() % 1000)); break;
            case 1: ctl.addMapVal_byx(by, bx, int32_t(rng() % 7) - 3); break;
            case 2: ctl.setMapValBit_byx(by, bx, 1); break;
            default: ctl.checkMapVal_byx(by, bx); break;
        }
        int64_t expected = 0;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                expected += company[y][x] * (LandPrice::getLandValue(ctl.getMapVal_byx(y, x)) - 64);
        ASSERT_EQ(book(), expected) << i;
    }
}

TEST_F(LandValueTest, LandBookSaturates) {
    ctl.setMapTyp(8, 8, 8, 8, LAND_OWNED, LAND_SEA);
    ctl.setMapVal_byx(1, 1, 40000);
    EXPECT_EQ(ctl.getMapVal_byx(1, 1), 32767);
    EXPECT_EQ(book(), INT64_MAX);
    ctl.setMapVal_byx(1, 1, -5);  // ignored
    EXPECT_EQ(ctl.getMapVal_byx(1, 1), 32767);
    ctl.checkMapVal_byx(1, 1);    // the top word settles instead of wrapping
    EXPECT_EQ(ctl.getMapVal_byx(1, 1), 32766);
}

TEST_F(ControllerTest, ZoomFitsTheMapAndStops) {
    EXPECT_FALSE(ctl.renewBlockSize(1));  // no map yet: resizes come first
    EXPECT_EQ(hooks.diaSizes, 0);
    ASSERT_TRUE(ctl.setMapSize(256, 256));
    canvas._wm_size(800, 1000);
    auto& scale = canvas.slots().m_swa[SWA_VIEW_SCALE];
    canvas.slots().m_sba[SBA_VIEW_MODE] = 1;
    scale = 10;
    EXPECT_TRUE(ctl.renewBlockSize(0));
    EXPECT_EQ(ctl.blockSize(), 64);
    EXPECT_EQ(hooks.diaSizes, 1);

    int32_t last = ctl.blockSize();
    for (int i = 0; i < 100; ++i) {
        const int groundBefore = hooks.groundAll;
        ctl.zoom(1);
        EXPECT_GT(hooks.groundAll, groundBefore);
        EXPECT_TRUE(ctl.blockSize() < last || ctl.blockSize() == 3) << i;
        last = ctl.blockSize();
    }
    EXPECT_EQ(ctl.blockSize(), 3);  // 800 / 256: the whole map fits the short side
    const int32_t atFit = scale;
    ctl.zoom(1);  // one more step, which reports done at once
    EXPECT_EQ(scale, atFit + 1);

    canvas.slots().m_sba[SBA_VIEW_MODE] = 2;
    scale = 115;
    EXPECT_TRUE(ctl.renewBlockSize(5));
    EXPECT_EQ(scale, MapController::kMaxScale3D);
    EXPECT_TRUE(ctl.renewBlockSize(5));
    EXPECT_EQ(scale, MapController::kMaxScale3D);
    canvas.slots().m_sba[SBA_VIEW_MODE] = 1;
    ctl.renewBlockSize(5);
    EXPECT_EQ(scale, 121);  // no cap in 2D

    scale = 3;
    ctl.zoom(-1);
    EXPECT_EQ(scale, 2);
    ctl.zoom(-5);
    EXPECT_EQ(scale, 1);

    canvas._wm_size(0, 1000);
    EXPECT_FALSE(ctl.renewBlockSize(1));
}

TEST_F(ControllerTest, ZoomKeepsTheTrackCursorOnScreen) {
    ASSERT_TRUE(ctl.setMapSize(256, 256));
    auto& s = canvas.slots();
    s.m_sba[SBA_VIEW_MODE] = 1;
    s.m_swa[SWA_VIEW_SCALE] = 12;
    s.m_sdwa[SDWA_VIEW_Y] = 12800;
    s.m_sdwa[SDWA_VIEW_X] = 12800;
    s.m_sdwa[SDWA_TRACK_Y] = 15013;
    s.m_sdwa[SDWA_TRACK_X] = 9007;
    ctl.renewBlockSize(0);
    const int32_t sy = ctl.getSYfromRY(15013), sx = ctl.getSXfromRX(9007);
    for (int a : {-1, -1, -1, 1, 1, 1, 1}) {
        ctl.zoom(a);
        EXPECT_NEAR(ctl.getSYfromRY(15013), sy, 1) << ctl.blockSize();
        EXPECT_NEAR(ctl.getSXfromRX(9007), sx, 1) << ctl.blockSize();
        EXPECT_EQ(s.m_la[LA_VIEW3D_Y], int64_t(s.m_sdwa[SDWA_VIEW_Y]) * 1000);
    }
    EXPECT_NE(s.m_sdwa[SDWA_VIEW_Y], 12800);  // it did have to move
}

TEST_F(ControllerTest, VisibleArea) {
    auto& s = canvas.slots();
    s.m_swa[SWA_VIEW_SCALE] = 12;
    s.m_sba[SBA_VIEW_MODE] = 1;
    s.m_sdwa[SDWA_VIEW_Y] = 51200;
    s.m_sdwa[SDWA_VIEW_X] = 51200;
    // Radius 1080 by 1440 (the wider side); 15 meshes, 11 in 2D.
    EXPECT_TRUE(ctl.setPutArea());
    EXPECT_EQ(ctl.putArea(), (MapController::PatchRange{62, 62, 65, 65}));
    EXPECT_EQ(Map::m_rfy, 49600);
    EXPECT_EQ(Map::m_rty, 52799);
    EXPECT_EQ(hooks.cy, 51200);
    EXPECT_EQ(hooks.scope, 2);
    EXPECT_FALSE(ctl.setPutArea());
    s.m_sdwa[SDWA_VIEW_X] += 800;
    EXPECT_TRUE(ctl.setPutArea());
    EXPECT_EQ(ctl.putArea().tx8, 66);

    // Ground-level 3D: the 3D centre and half as many meshes again.
    s.m_sba[SBA_VIEW_MODE] = 4;
    s.m_la[LA_VIEW3D_Y] = 51200 * 1000;
    s.m_la[LA_VIEW3D_X] = 51200 * 1000;
    EXPECT_TRUE(ctl.setPutArea());
    EXPECT_EQ(ctl.putArea(), (MapController::PatchRange{61, 61, 66, 66}));

    // Near the origin the patch quotient truncates toward zero.
    s.m_sba[SBA_VIEW_MODE] = 1;
    s.m_sdwa[SDWA_VIEW_Y] = 0;
    ctl.setPutArea();
    EXPECT_EQ(ctl.putArea().fy8, -1);
    EXPECT_EQ(Map::m_rfy, -800);

    canvas._wm_size(0, 0);
    EXPECT_FALSE(ctl.setPutArea());
}

TEST_F(ControllerTest, ExtensionKeepsTheCityAndItsBlocks) {
    ASSERT_TRUE(ctl.setMapSize(20, 20));  // 3 x 3 blocks, the last row and column partial
    ctl.setMapTyp(17, 17, 30);
    ctl.setMapVal_byx(2, 2, 40);
    Block::addHIn(Block::getNumber(2, 2), 100);
    Block::addDestinationH(2, 2, 77);
    Map::setSLv(20, 20, 555);
    const int inits = hooks.roadCrossInits;

    ASSERT_TRUE(ctl.extendMap(12, 0));
    ASSERT_TRUE(ctl.extendMap(0, 12));
    EXPECT_EQ(canvas.slots().m_swa[SWA_MAP_MY], 32);
    EXPECT_EQ(canvas.slots().m_swa[SWA_MAP_MX], 32);
    EXPECT_EQ(Sub::m_iBX, 4);
    EXPECT_EQ(Block::m_iBX, 4);
    EXPECT_EQ(hooks.roadCrossInits, inits + 2);
    const int32_t n = Block::getNumber(2, 2);
    EXPECT_EQ(ctl.getMapVal_byx(2, 2), 40);
    EXPECT_EQ(Block::getHIn(n), 100);
    EXPECT_EQ(Block::getHP(n), 3);
    EXPECT_EQ(Block::getDestinationH(n), 77);
    Block::compress();  // the rotating position is saved under the new number
    Block::decompress();
    EXPECT_EQ(Block::getDestinationIdxH(n), 1);
    EXPECT_EQ(ctl.getMapTyp(17, 17), 30);
    EXPECT_EQ(ctl.getMapTyp(25, 5), LAND_PADDY);
    EXPECT_EQ(ctl.getMapTyp(5, 25), LAND_PADDY);
    EXPECT_EQ(Map::getZ(20, 20), 555);
    EXPECT_EQ(Map::getZ(30, 5), 80);
    EXPECT_EQ(ctl.getMapVal_byx(3, 3), 0);
    EXPECT_EQ(Block::getHP(Block::getNumber(3, 0)), 0);

    EXPECT_FALSE(ctl.extendMap(-1, 0));
    EXPECT_FALSE(ctl.extendMap(32767, 0));
    Map::s_maxArrayBytes = 100;
    EXPECT_FALSE(ctl.extendMap(8, 0));
    EXPECT_EQ(Map::m_my, 32);
    EXPECT_EQ(Block::m_iBY, 4);
    EXPECT_EQ(Block::getHIn(n), 100);
}

// The wheel in the 3D viewer mode zooms through the view hooks.
TEST(ViewerModeWheel, ZoomsThroughTheViewHooks) {
    test::resetMapState();
    VirtualClock clock{1000};
    RecordingHost host;
    MapViewHooks view;
    MainCanvas canvas(host, clock, CanvasHooks{nullptr, &view, nullptr});
    MapController ctl(canvas);
    view.setController(&ctl);
    HeadlessDriver driver(canvas, clock, host);
    ASSERT_TRUE(driver.bootToTitle());
    ASSERT_TRUE(ctl.setMapSize(256, 256));
    canvas.m_b3DView = 1;
    canvas.slots().m_sba[SBA_VIEW_MODE] = 3;
    auto& scale = canvas.slots().m_swa[SWA_VIEW_SCALE];
    scale = 16;
    canvas.wm_MouseWheelUp();
    EXPECT_EQ(scale, 16 - 3);
    canvas.wm_MouseWheelDown();
    EXPECT_EQ(scale, 13 + 2);
    host.shift = true;
    canvas.wm_MouseWheelUp();
    EXPECT_EQ(scale, 15);
    test::resetMapState();
}

}  // namespace
}  // namespace tetsuro
