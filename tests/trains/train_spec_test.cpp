#include "trains/train_spec.h"

#include <gtest/gtest.h>

#include "catalogue_fixture.h"
#include "support/bmp.h"

namespace tetsuro::testing {
namespace {

using TrainSpecTest = CatalogueTest;

const std::vector<std::string>& noMessages() {
    static const std::vector<std::string> none;
    return none;
}

TEST_F(TrainSpecTest, TypesAreNumberedAcrossFoldersInLoadOrder) {
    writeText("train/list.txt", "local\r\nexpress\r\n");
    writeText("train/local/config.txt", "普通形\t100\t192\t256\t2\t200\n快速形\t120\t128\t320\t1\t195\n");
    writeText("train/express/config.txt", "特急形\t130\t64\t256\t2\t205\n");
    TrainSpec::load();
    EXPECT_EQ(m_messages, noMessages());
    ASSERT_EQ(TrainSpec::size(), 3);
    const char* names[] = {"普通形", "快速形", "特急形"};
    const char* dirs[] = {"local", "local", "express"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(TrainSpec::getName(i).toUtf8(), names[i]);
        EXPECT_EQ(TrainSpec::s_o[size_t(i)].m_dir.toUtf8(), dirs[i]);
        EXPECT_EQ(TrainSpec::s_o[size_t(i)].m_id, i);
    }
    EXPECT_EQ(TrainSpec::getSpeed(1), 120);
    EXPECT_EQ(TrainSpec::getAcceleration(1), 128);
    EXPECT_EQ(TrainSpec::getBreaking(1), 320);
    EXPECT_EQ(TrainSpec::getMiddle(1), 1);
    EXPECT_EQ(TrainSpec::getLength(1), 195);
    EXPECT_EQ(TrainSpec::getMiddle(2), 2);
    EXPECT_EQ(TrainSpec::s_o[2].m_t3d.size(), 2u);
}

TEST_F(TrainSpecTest, EmptySecondLineOfTheListEndsIt) {
    writeText("train/list.txt", "a\n\nb\n");
    writeText("train/a/config.txt", "A\t100\t64\t64\t1\t200\n");
    writeText("train/b/config.txt", "B\t100\t64\t64\t1\t200\n");
    TrainSpec::load();
    ASSERT_EQ(TrainSpec::size(), 1);
    EXPECT_EQ(TrainSpec::getName(0).toUtf8(), "A");
}

// Without rules the colour comes from the id; the formula leaves 0..255
// from id 12 on, so the colours repeat from there.
TEST_F(TrainSpecTest, UnpaintedTypesTakeTheirColourFromTheId) {
    std::string config;
    for (int i = 0; i < 14; ++i) config += "t" + std::to_string(i) + "\t100\t64\t64\t1\t200\n";
    writeText("train/list.txt", "a\n");
    writeText("train/a/config.txt", config);
    TrainSpec::load();
    const int32_t want[] = {0x0099AA, 0x0099FF, 0x00FFAA, 0x00FFFF, 0x7F9955, 0x7F99AA, 0x7FFF55,
                            0x7FFFAA, 0xFF9900, 0xFF9955, 0xFFFF00, 0xFFFF55, 0x0099AA, 0x0099FF};
    ASSERT_EQ(TrainSpec::size(), 14);
    for (int i = 0; i < 14; ++i) EXPECT_EQ(TrainSpec::getColor(i), want[i]) << "id " << i;
}

TEST_F(TrainSpecTest, PaletteRulesGiveTheDefaultColourAndPaintTheBitmap) {
    const std::vector<int32_t> palette{0x000000, 0x111111, 0x222222, 0x333333, 0x444444};
    writeText("train/list.txt", "a\n");
    writeTexture("a", palette);
    writeText("train/a/config.txt",
              "body\t100\t64\t64\t1\t200\t-1\t-2\tFF0000\n"
              "fixed\t100\t64\t64\t1\t200\t-1\tff0000\t-1\n"
              "keep\t100\t64\t64\t1\t200\t-1\t-1\n");
    TrainSpec::load();
    ASSERT_EQ(TrainSpec::size(), 3);
    EXPECT_EQ(TrainSpec::getColor(0), 0x222222);  // the bitmap's own entry 2
    EXPECT_EQ(TrainSpec::getColor(1), 0xFF0000);  // the first rule that is not -1
    EXPECT_EQ(TrainSpec::getColor(2), TrainSpec::colorFromId(2));

    std::optional<BMP> b = TrainSpec::getBMP(0, 0x123456);
    ASSERT_TRUE(b && b->isValid());
    EXPECT_EQ(b->getPalette(0), 0x000000);
    EXPECT_EQ(b->getPalette(1), 0x111111);
    EXPECT_EQ(b->getPalette(2), 0x123456);
    EXPECT_EQ(b->getPalette(3), 0xFF0000);
    EXPECT_EQ(b->getPalette(4), 0x444444);
    const std::vector<int8_t> file = fileBytes("train/a/texture.bmp");
    EXPECT_EQ(b->getBits(), BMP(file).getBits());
    // Painting works on a copy: the next call starts from the file again.
    EXPECT_EQ(TrainSpec::getBMP(0, 0xABCDEF)->getPalette(2), 0xABCDEF);
}

// Rules beyond the palette, and rules for a bitmap without a palette, must
// not write into the pixels.
TEST_F(TrainSpecTest, RulesThatFindNoPaletteSlotAreIgnored) {
    writeText("train/list.txt", "small\nrgb\n");
    writeTexture("small", {0x000000, 0x101010, 0x202020});
    writeText("train/small/config.txt", "s\t100\t64\t64\t1\t200\t-2\tFF0000\tFF0000\tFF0000\t-2\n");
    writeBytes("train/rgb/texture.bmp", encodeBmp24(2, 1, std::vector<int32_t>{0x010203, 0x040506}));
    writeText("train/rgb/config.txt", "r\t100\t64\t64\t1\t200\t-2\t00FF00\n");
    TrainSpec::load();
    EXPECT_EQ(m_messages, noMessages());
    ASSERT_EQ(TrainSpec::size(), 2);

    std::optional<BMP> small = TrainSpec::getBMP(0, 0x777777);
    ASSERT_TRUE(small);
    const std::vector<int8_t> file = fileBytes("train/small/texture.bmp");
    EXPECT_EQ(small->bytes().size(), file.size());
    EXPECT_EQ(small->getBits(), BMP(file).getBits());
    EXPECT_EQ(small->getPalette(1), 0x777777);
    EXPECT_EQ(small->getPalette(2), 0xFF0000);

    // A 24-bit texture is handed on unpainted; its body slot cannot give the
    // colour, so the first fixed colour does.
    EXPECT_EQ(TrainSpec::getColor(1), 0x00FF00);
    std::optional<BMP> rgb = TrainSpec::getBMP(1, 0x777777);
    ASSERT_TRUE(rgb);
    EXPECT_EQ(rgb->bytes(), fileBytes("train/rgb/texture.bmp"));
}

TEST_F(TrainSpecTest, PriceDoublesEveryFortyKilometresPerHour) {
    const struct {
        int32_t speed;
        int64_t price;
    } cases[] = {{100, 140000}, {120, 200000}, {130, 237500}, {200, 800000}, {95, 127500}, {99, 127500},
                 {1000, 838860800000}};
    std::string config;
    for (const auto& c : cases) config += "t\t" + std::to_string(c.speed) + "\t64\t64\t1\t200\n";
    writeText("train/list.txt", "a\n");
    writeText("train/a/config.txt", config);
    TrainSpec::load();
    ASSERT_EQ(TrainSpec::size(), int32_t(std::size(cases)));
    for (int i = 0; i < TrainSpec::size(); ++i) EXPECT_EQ(TrainSpec::getPrice(i), cases[i].price) << cases[i].speed;
}

TEST_F(TrainSpecTest, ValuesAreClampedOnLoad) {
    const struct {
        const char* fields;  // speed accel braking middle length
        int32_t speed, accel, braking, middle, length;
    } cases[] = {
        {"0\t0\t0\t0\t0", 5, 32, 32, 1, 10},
        {"4\t31\t-64\t-1\t9", 5, 32, 32, 1, 10},
        {"5\t32\t33\t1\t10", 5, 32, 33, 1, 10},
        {"100\t64\t128\t2\t209", 100, 64, 128, 2, 209},
        {"1001\t2000000\t9999999\t3\t210", 1000, 1 << 20, 1 << 20, 2, 209},
    };
    std::string config;
    for (const auto& c : cases) config += std::string("t\t") + c.fields + "\n";
    writeText("train/list.txt", "a\n");
    writeText("train/a/config.txt", config);
    TrainSpec::load();
    EXPECT_EQ(m_messages, noMessages());
    ASSERT_EQ(TrainSpec::size(), int32_t(std::size(cases)));
    for (int i = 0; i < TrainSpec::size(); ++i) {
        SCOPED_TRACE(cases[i].fields);
        EXPECT_EQ(TrainSpec::getSpeed(i), cases[i].speed);
        EXPECT_EQ(TrainSpec::getAcceleration(i), cases[i].accel);
        EXPECT_EQ(TrainSpec::getBreaking(i), cases[i].braking);
        EXPECT_EQ(TrainSpec::getMiddle(i), cases[i].middle);
        EXPECT_EQ(TrainSpec::getLength(i), cases[i].length);
        EXPECT_EQ(TrainSpec::s_o[size_t(i)].m_t3d.size(), size_t(cases[i].middle));
    }
}

// Bad lines are skipped, the rest loads, and the player is told once.
TEST_F(TrainSpecTest, MalformedLinesAreSkippedAndReportedOnce) {
    writeText("train/list.txt", "a\n../elsewhere\nb\n");
    writeText("train/a/config.txt",
              "good1\t100\t64\t64\t1\t200\n"
              "letters\t1x0\t64\t64\t1\t200\n"
              "short\t100\t64\t64\t1\n"
              "hole\t100\t\t64\t1\t200\n"
              "badhex\t100\t64\t64\t1\t200\tGG\n"
              "minus3\t100\t64\t64\t1\t200\t-3\n"
              "wide\t100\t64\t64\t1\t200\t1000000\n"
              "huge\t99999999999\t64\t64\t1\t200\n"
              "trailing\t100\t64\t64\t1\t200\t\n"
              "trailrule\t100\t64\t64\t1\t200\tFF00FF\t\n");
    writeText("train/b/config.txt", "good2\t100\t64\t64\t1\t200\n");
    TrainSpec::load();
    EXPECT_EQ(m_messages, std::vector<std::string>{kFailure});
    std::vector<std::string> names;
    for (int i = 0; i < TrainSpec::size(); ++i) names.push_back(TrainSpec::getName(i).toUtf8());
    EXPECT_EQ(names, (std::vector<std::string>{"good1", "trailing", "trailrule", "good2"}));
    // A trailing tab is an absent field, not a rule.
    EXPECT_TRUE(TrainSpec::s_o[1].m_palette.empty());
    EXPECT_EQ(TrainSpec::getColor(1), TrainSpec::colorFromId(1));
    EXPECT_EQ(TrainSpec::s_o[2].m_palette, std::vector<int32_t>{0xFF00FF});
}

// Trains keep their type in one signed byte: types beyond 127 could never
// be bought or saved, so loading stops there.
TEST_F(TrainSpecTest, CatalogueStopsAtTheTypeLimit) {
    std::string config;
    for (int i = 0; i < TrainSpec::kMaxTypes + 2; ++i) config += "t\t100\t64\t64\t1\t200\n";
    writeText("train/list.txt", "a\n");
    writeText("train/a/config.txt", config);
    TrainSpec::load();
    EXPECT_EQ(TrainSpec::size(), TrainSpec::kMaxTypes);
    EXPECT_EQ(m_messages, std::vector<std::string>{kFailure});
}

// A missing file stops loading; what was read before stays.
TEST_F(TrainSpecTest, MissingFilesStopLoadingKeepingEarlierTypes) {
    const struct {
        const char* what;
        const char* missing;
        std::vector<std::string> names;
    } cases[] = {
        {"texture of a painted type", "train/b/texture.bmp", {"a1", "b1"}},
        {"configuration", "train/b/config.txt", {"a1"}},
        {"list", "train/list.txt", {}},
        {"nothing", "", {"a1", "b1", "b2", "b3", "c1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeText("train/list.txt", "a\nb\nc\n");
        writeText("train/a/config.txt", "a1\t100\t64\t64\t1\t200\n");
        writeText("train/b/config.txt",
                  "b1\t100\t64\t64\t1\t200\n"
                  "b2\t100\t64\t64\t1\t200\t-2\n"
                  "b3\t100\t64\t64\t1\t200\n");
        writeTexture("b", {0x000000, 0x336699});
        writeText("train/c/config.txt", "c1\t100\t64\t64\t1\t200\n");
        if (c.missing[0] != '\0') remove(c.missing);
        m_messages.clear();
        TrainSpec::load();
        std::vector<std::string> names;
        for (int i = 0; i < TrainSpec::size(); ++i) names.push_back(TrainSpec::getName(i).toUtf8());
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(m_messages.size(), c.missing[0] != '\0' ? 1u : 0u);
    }
}

TEST_F(TrainSpecTest, CorruptTextureOfAPaintedTypeCountsAsUnreadable) {
    writeText("train/list.txt", "a\n");
    writeText("train/a/config.txt", "a1\t100\t64\t64\t1\t200\na2\t100\t64\t64\t1\t200\t-2\n");
    writeBytes("train/a/texture.bmp", bytes({'B', 'M', 1, 2, 3}));
    TrainSpec::load();
    EXPECT_EQ(TrainSpec::size(), 1);
    EXPECT_EQ(m_messages, std::vector<std::string>{kFailure});
}

// The catalogue can shrink on a reload; indices that were valid before must
// then get the defaults rather than reach past the table.
TEST_F(TrainSpecTest, InvalidIndicesGetHarmlessDefaults) {
    writeText("train/list.txt", "a\n");
    writeTexture("a", {0x000000, 0x336699});
    writeText("train/a/config.txt", "a1\t100\t64\t64\t2\t200\t-2\na2\t130\t64\t64\t2\t200\t-2\n");
    TrainSpec::load();
    ASSERT_EQ(TrainSpec::size(), 2);
    writeText("train/a/config.txt", "a1\t100\t64\t64\t2\t200\t-2\n");
    TrainSpec::load();
    ASSERT_EQ(TrainSpec::size(), 1);
    for (int32_t i : {-1, 1, 127, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(TrainSpec::isValid(i));
        EXPECT_EQ(TrainSpec::getName(i).length(), 0);
        EXPECT_EQ(TrainSpec::getSpeed(i), 1);
        EXPECT_EQ(TrainSpec::getAcceleration(i), TrainSpec::kMinRate);
        EXPECT_EQ(TrainSpec::getBreaking(i), TrainSpec::kMinRate);
        EXPECT_EQ(TrainSpec::getLength(i), TrainSpec::kMinLength);
        EXPECT_EQ(TrainSpec::getMiddle(i), 0);
        EXPECT_EQ(TrainSpec::getColor(i), -1);
        EXPECT_EQ(TrainSpec::getPrice(i), 0);
        EXPECT_FALSE(TrainSpec::getBMP(i, 0));
        EXPECT_FALSE(TrainSpec::readModel(i, 0));
        TrainSpec::setColor(i, 0x123456);
    }
    EXPECT_EQ(m_messages, noMessages());
    EXPECT_EQ(TrainSpec::getColor(0), 0x336699);
    TrainSpec::setColor(0, 0x123456);
    EXPECT_EQ(TrainSpec::getColor(0), 0x123456);
}

TEST_F(TrainSpecTest, AlphaAndReplaceListsFallBackWhenMissingOrUnusable) {
    writeText("train/list.txt", "a\n");
    writeText("train/a/config.txt", "a1\t100\t64\t64\t1\t200\n");
    TrainSpec::load();
    EXPECT_EQ(TrainSpec::getAlpha(0), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(TrainSpec::getReplace(0), std::vector<int32_t>{});

    writeText("train/a/alpha.txt", "255\n0\t255\n");
    writeText("train/a/replace.txt", "1\t2\t3\n4\t5\t6\n");
    EXPECT_EQ(TrainSpec::getAlpha(0), (std::vector<int32_t>{255, 0, 255}));
    EXPECT_EQ(TrainSpec::getReplace(0), (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));

    writeText("train/a/alpha.txt", "255\tx\t255\n");
    writeText("train/a/replace.txt", "1\t2\t3\n");
    EXPECT_EQ(TrainSpec::getAlpha(0), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(TrainSpec::getReplace(0), std::vector<int32_t>{});
}

}  // namespace
}  // namespace tetsuro::testing
