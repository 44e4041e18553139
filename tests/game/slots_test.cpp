#include <gtest/gtest.h>

#include "canvas_fixture.h"
#include "game/slot_validator.h"
#include "game/slots.h"
#include "support/sub.h"

namespace tetsuro {

TEST(Slots, ConstructorDefaultsAndNewGameValues) {
    GameSlots s;
    EXPECT_EQ(s.m_sba[SBA_VIEW_MODE], 2);
    EXPECT_EQ(s.m_swa[SWA_GRID], 50);
    EXPECT_EQ(s.m_sba[SBA_DIA_UNIT], 10);
    EXPECT_EQ(s.m_la[LA_CLOCK], 0);
    s.m_la[LA_GAIN] = 5;
    s.m_sdwa[SDWA_EXPENSE_PREV_YEAR] = 7;
    s.resetForNewGame();
    EXPECT_EQ(s.m_sba[SBA_TIME_SCALE], 5);
    EXPECT_EQ(s.m_sba[SBA_GAME_SPEED], 5);
    EXPECT_EQ(s.m_sba[SBA_PROPERTY_TAX], 14);
    EXPECT_EQ(s.m_swa[SWA_CORP_TAX], 408);
    EXPECT_EQ(s.m_la[LA_CLOCK], 468503998);
    EXPECT_EQ(s.m_la[LA_GAIN], 0);
    EXPECT_EQ(s.m_sdwa[SDWA_EXPENSE_PREV_YEAR], 0);
}

// Records of the wrong length never resize the fixed storage.
TEST(Slots, RecordsOfAnyLengthFillTheFixedStorage) {
    GameSlots s;
    const int8_t* before = s.m_sba.data();
    std::vector<int8_t> longer(40, 3);
    s.assignSba(longer.data(), longer.size());
    EXPECT_EQ(s.m_sba.data(), before);
    EXPECT_EQ(s.m_sba[27], 3);
    std::vector<int64_t> shorter{42, 7};
    s.m_la.fill(9);
    s.assignLa(shorter.data(), shorter.size());
    EXPECT_EQ(s.m_la[0], 42);
    EXPECT_EQ(s.m_la[1], 7);
    EXPECT_EQ(s.m_la[2], 0);
    EXPECT_EQ(s.m_la[19], 0);
    s.assignSwa(nullptr, 0);
    EXPECT_EQ(s.m_swa[SWA_GRID], 0);
}

TEST(Slots, ChecksumSeesEveryArray) {
    GameSlots a, b;
    EXPECT_EQ(a.checksum(), b.checksum());
    for (auto poke : {+[](GameSlots& s) { s.m_sba[27] = 1; }, +[](GameSlots& s) { s.m_swa[9] = 1; },
                      +[](GameSlots& s) { s.m_sdwa[23] = 1; }, +[](GameSlots& s) { s.m_la[19] = 1; }}) {
        GameSlots c;
        poke(c);
        EXPECT_NE(c.checksum(), a.checksum());
    }
}

TEST(SlotValidator, RepairsSettingsAndRejectsIncoherentGames) {
    struct Case {
        const char* name;
        void (*poke)(GameSlots&);
        bool ok;
        void (*check)(const GameSlots&);
    };
    const Case cases[] = {
        {"fps 0 falls back to 60", [](GameSlots& s) { s.m_sba[SBA_FPS] = 0; }, true,
         [](const GameSlots& s) { EXPECT_EQ(s.m_sba[SBA_FPS], 60); }},
        {"fps 20", [](GameSlots& s) { s.m_sba[SBA_FPS] = 20; }, true,
         [](const GameSlots& s) { EXPECT_EQ(s.m_sba[SBA_FPS], 60); }},
        {"time scale 9", [](GameSlots& s) { s.m_sba[SBA_TIME_SCALE] = 9; }, true,
         [](const GameSlots& s) { EXPECT_EQ(s.m_sba[SBA_TIME_SCALE], 6); }},
        {"speed below the time scale's floor",
         [](GameSlots& s) {
             s.m_sba[SBA_TIME_SCALE] = 6;
             s.m_sba[SBA_GAME_SPEED] = -1;
         },
         true, [](const GameSlots& s) { EXPECT_EQ(s.m_sba[SBA_GAME_SPEED], 2); }},
        {"speed 100", [](GameSlots& s) { s.m_sba[SBA_GAME_SPEED] = 100; }, true,
         [](const GameSlots& s) { EXPECT_EQ(s.m_sba[SBA_GAME_SPEED], 22); }},
        {"paused 3 keeps bit 0", [](GameSlots& s) { s.m_sba[SBA_PAUSED] = 3; }, true,
         [](const GameSlots& s) { EXPECT_EQ(s.m_sba[SBA_PAUSED], 1); }},
        {"timetable unit 7", [](GameSlots& s) { s.m_sba[SBA_DIA_UNIT] = 7; }, true,
         [](const GameSlots& s) { EXPECT_EQ(s.m_sba[SBA_DIA_UNIT], 10); }},
        {"timetable rows 5", [](GameSlots& s) { s.m_sba[SBA_DIA_LINES] = 5; }, true,
         [](const GameSlots& s) { EXPECT_EQ(s.m_sba[SBA_DIA_LINES], 8); }},
        {"grid larger than mesh",
         [](GameSlots& s) {
             s.m_swa[SWA_MESH_SIZE] = 25;
             s.m_swa[SWA_GRID] = 50;
         },
         true, [](const GameSlots& s) { EXPECT_EQ(s.m_swa[SWA_GRID], 25); }},
        {"heading -90", [](GameSlots& s) { s.m_swa[SWA_HEADING] = -90; }, true,
         [](const GameSlots& s) { EXPECT_EQ(s.m_swa[SWA_HEADING], 270); }},
        {"view mode 7", [](GameSlots& s) { s.m_sba[SBA_VIEW_MODE] = 7; }, true,
         [](const GameSlots& s) { EXPECT_EQ(s.m_sba[SBA_VIEW_MODE], 2); }},
        {"font, cursor speed, balance unit",
         [](GameSlots& s) {
             s.m_sba[SBA_FONT] = 3;
             s.m_sba[SBA_CURSOR_SPEED] = -1;
             s.m_sba[SBA_BALANCE_UNIT] = 9;
         },
         true,
         [](const GameSlots& s) {
             EXPECT_EQ(s.m_sba[SBA_FONT], 0);
             EXPECT_EQ(s.m_sba[SBA_CURSOR_SPEED], 0);
             EXPECT_EQ(s.m_sba[SBA_BALANCE_UNIT], 0);
         }},
        {"negative stage", [](GameSlots& s) { s.m_sba[SBA_STAGE] = -128; }, true,
         [](const GameSlots& s) { EXPECT_EQ(s.m_sba[SBA_STAGE], 0); }},
        {"negative clock", [](GameSlots& s) { s.m_la[LA_CLOCK] = -1; }, false, nullptr},
        {"negative map side", [](GameSlots& s) { s.m_swa[SWA_MAP_MX] = -5; }, false, nullptr},
        {"unknown mesh size", [](GameSlots& s) { s.m_swa[SWA_MESH_SIZE] = 0; }, false, nullptr},
    };
    for (const auto& c : cases) {
        GameSlots s;
        s.resetForNewGame();
        s.m_sba[SBA_FPS] = 60;
        s.m_sba[SBA_DIA_LINES] = 8;
        {
            GameSlots clean = s;
            ASSERT_TRUE(validateSlots(clean).repairs.empty()) << c.name;
        }
        c.poke(s);
        GameSlots before = s;
        SlotCheck r = validateSlots(s);
        EXPECT_EQ(r.ok, c.ok) << c.name;
        if (c.ok) {
            EXPECT_FALSE(r.repairs.empty()) << c.name;
            c.check(s);
        } else {
            EXPECT_FALSE(r.error.empty()) << c.name;
            EXPECT_EQ(s, before) << c.name << ": a rejected file is not repaired";
        }
    }
}

TEST(Slots, LoadReappliesSettingsAndRebasesTheFrame) {
    test::CanvasFixture f;
    f.toPlay(1);
    auto& c = f.canvas;
    GameSlots saved = c.slots();
    saved.m_sba[SBA_FPS] = 0;
    saved.m_sba[SBA_DIA_UNIT] = 30;
    c.slots() = saved;
    std::string err;
    ASSERT_TRUE(c.afterSlotsLoaded(&err)) << err;
    EXPECT_EQ(c.slots().m_sba[SBA_FPS], 60);
    EXPECT_EQ(Sub::s_sbDiaUnit, 30);
    const int64_t before = c.clock();
    f.driver.step();
    EXPECT_LE(c.clock() - before, 1);

    c.slots().m_la[LA_CLOCK] = -5;
    EXPECT_FALSE(c.afterSlotsLoaded(&err));
    EXPECT_NE(err.find("clock"), std::string::npos);
}

TEST(Settings, MeshSizeClampsTheGrid) {
    test::CanvasFixture f;
    f.canvas.slots().m_swa[SWA_GRID] = 50;
    f.canvas.setMeshSize(25);
    EXPECT_EQ(f.canvas.slots().m_swa[SWA_GRID], 25);
    f.canvas.setMeshSize(33);  // not a mesh size: ignored
    EXPECT_EQ(f.canvas.slots().m_swa[SWA_MESH_SIZE], 25);
}

TEST(Settings, TimeScaleFactors) {
    test::CanvasFixture f;
    auto& s = f.canvas.slots().m_sba;
    s[SBA_TIME_SCALE] = 1;
    f.canvas.initTimeScale();
    EXPECT_EQ(f.canvas.timeScale().timeFactor, 32 * 60);
    EXPECT_EQ(f.canvas.timeScale().tsDenominator, 1);
    EXPECT_EQ(f.canvas.timeScale().diaMax, 4096);
    s[SBA_TIME_SCALE] = 6;
    f.canvas.initTimeScale();
    EXPECT_EQ(f.canvas.timeScale().timeFactor, 60);
    EXPECT_EQ(f.canvas.timeScale().tsDenominator, 32);
    EXPECT_EQ(f.canvas.timeScale().diaMax, 2048);
}

}  // namespace tetsuro
