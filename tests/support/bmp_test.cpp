#include "support/bmp.h"

#include <gtest/gtest.h>

namespace tetsuro {
namespace {

using Bytes = std::vector<int8_t>;

void put16(Bytes& b, size_t at, uint32_t v) {
    b[at] = static_cast<int8_t>(v & 0xFF);
    b[at + 1] = static_cast<int8_t>((v >> 8) & 0xFF);
}

void put32(Bytes& b, size_t at, uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

// A bitmap file: headers, palette (0xRRGGBB entries), then the pixel bytes
// exactly as given (rows in file order, already padded).
Bytes makeBmp(int32_t w, int32_t h, uint16_t bpp, const std::vector<uint32_t>& palette,
              const std::vector<uint8_t>& pixels, uint32_t clrUsed) {
    Bytes b(54);
    b[0] = 'B';
    b[1] = 'M';
    const uint32_t offset = 54 + 4 * static_cast<uint32_t>(palette.size());
    put32(b, 2, offset + static_cast<uint32_t>(pixels.size()));
    put32(b, 10, offset);
    put32(b, 14, 40);
    put32(b, 18, static_cast<uint32_t>(w));
    put32(b, 22, static_cast<uint32_t>(h));
    put16(b, 26, 1);
    put16(b, 28, bpp);
    put32(b, 46, clrUsed);
    for (uint32_t c : palette) {
        b.push_back(static_cast<int8_t>(c & 0xFF));
        b.push_back(static_cast<int8_t>((c >> 8) & 0xFF));
        b.push_back(static_cast<int8_t>((c >> 16) & 0xFF));
        b.push_back(0);
    }
    for (uint8_t p : pixels) b.push_back(static_cast<int8_t>(p));
    return b;
}

const std::vector<uint32_t> kPalette{0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

// 3 x 2, 8 bits: top row palette 0 1 2, bottom row 3 2 1; rows padded to 4.
Bytes eightBit(bool topDown) {
    const std::vector<uint8_t> top{0, 1, 2, 0}, bottom{3, 2, 1, 0};
    std::vector<uint8_t> px = topDown ? top : bottom;
    const auto& second = topDown ? bottom : top;
    px.insert(px.end(), second.begin(), second.end());
    return makeBmp(3, topDown ? -2 : 2, 8, kPalette, px, 4);
}

void expectEightBitPicture(const BMP& b) {
    const int32_t want[2][3] = {{0x000000, 0xFF0000, 0x00FF00}, {0x0000FF, 0x00FF00, 0xFF0000}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(b.getPixel(x, y), want[y][x]) << x << "," << y;
    }
}

TEST(Bmp, EightBitBottomUpAndTopDown) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        BMP b(eightBit(topDown));
        ASSERT_TRUE(b.isValid()) << b.error();
        EXPECT_EQ(b.getWidth(), 3);
        EXPECT_EQ(b.getHeight(), topDown ? -2 : 2);
        EXPECT_EQ(b.getBitsPixel(), 8);
        EXPECT_EQ(b.getClrUsed(), 4);
        EXPECT_EQ(b.getClrUsedCount(), 4);
        EXPECT_EQ(b.getBitsIndex(), 54 + 16);
        EXPECT_EQ(b.getBits().size(), 8u);
        EXPECT_EQ(b.getPalette(1), 0xFF0000);
        EXPECT_EQ(b.getPalette(3, 0), 0xFF);  // blue byte
        EXPECT_EQ(b.getPalette(4), -1);
        EXPECT_EQ(b.getPalette(0, 3), -1);
        expectEightBitPicture(b);
        EXPECT_EQ(b.getPixel(3, 0), -1);
        EXPECT_EQ(b.getPixel(0, 2), -1);
        EXPECT_EQ(b.getPixel(-1, 0), -1);
    }
}

TEST(Bmp, SetPaletteRecolours) {
    BMP b(eightBit(false));
    EXPECT_TRUE(b.setPalette(1, 0x123456));
    EXPECT_EQ(b.getPalette(1), 0x123456);
    EXPECT_EQ(b.getPixel(1, 0), 0x123456);
    EXPECT_FALSE(b.setPalette(4, 0x123456));
    EXPECT_FALSE(b.setPalette(-1, 0x123456));
}

TEST(Bmp, TwentyFourBitWithRowPadding) {
    // 2 x 2: rows of 6 bytes padded to 8, bottom row first.
    const std::vector<uint8_t> px{0x99, 0x88, 0x77, 0xCC, 0xBB, 0xAA, 0, 0,
                                  0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0, 0};
    BMP b(makeBmp(2, 2, 24, {}, px, 0));
    ASSERT_TRUE(b.isValid()) << b.error();
    EXPECT_EQ(b.getBitsIndex(), 54);
    EXPECT_EQ(b.getPixel(0, 0), 0x112233);
    EXPECT_EQ(b.getPixel(1, 0), 0x445566);
    EXPECT_EQ(b.getPixel(0, 1), 0x778899);
    EXPECT_EQ(b.getPixel(1, 1), 0xAABBCC);
    EXPECT_EQ(b.getClrUsedCount(), int64_t{1} << 24);
}

TEST(Bmp, OtherDepths) {
    // 1 bit, 9 wide (two bytes of a row); no colour count means 2 colours.
    BMP one(makeBmp(9, 1, 1, {0x000000, 0xFFFFFF}, {0xB0, 0x80, 0, 0}, 0));
    ASSERT_TRUE(one.isValid()) << one.error();
    const int32_t bits[] = {1, 0, 1, 1, 0, 0, 0, 0, 1};
    for (int x = 0; x < 9; ++x) EXPECT_EQ(one.getPixel(x, 0), bits[x] ? 0xFFFFFF : 0) << x;

    std::vector<uint32_t> sixteen(16, 0x010203);
    sixteen[1] = 0xAA0000;
    sixteen[2] = 0x00AA00;
    sixteen[15] = 0x0000AA;
    BMP four(makeBmp(3, 1, 4, sixteen, {0x12, 0xF0, 0, 0}, 16));
    ASSERT_TRUE(four.isValid()) << four.error();
    EXPECT_EQ(four.getPixel(0, 0), 0xAA0000);
    EXPECT_EQ(four.getPixel(1, 0), 0x00AA00);
    EXPECT_EQ(four.getPixel(2, 0), 0x0000AA);

    BMP rgb16(makeBmp(2, 1, 16, {}, {0x00, 0x7C, 0x1F, 0x00}, 0));
    ASSERT_TRUE(rgb16.isValid()) << rgb16.error();
    EXPECT_EQ(rgb16.getPixel(0, 0), 0xFF0000);
    EXPECT_EQ(rgb16.getPixel(1, 0), 0x0000FF);

    BMP rgb32(makeBmp(1, 1, 32, {}, {0x30, 0x20, 0x10, 0xFF}, 0));
    ASSERT_TRUE(rgb32.isValid()) << rgb32.error();
    EXPECT_EQ(rgb32.getPixel(0, 0), 0x102030);

    // An index past a short palette has no colour.
    BMP shortPalette(makeBmp(1, 1, 8, {0x111111}, {5, 0, 0, 0}, 1));
    ASSERT_TRUE(shortPalette.isValid()) << shortPalette.error();
    EXPECT_EQ(shortPalette.getPixel(0, 0), -1);
}

TEST(Bmp, PixelOffsetField) {
    // A field pointing at the rows after a gap is followed.
    Bytes gap = eightBit(false);
    gap.insert(gap.begin() + 70, {0x7F, 0x7F, 0x7F, 0x7F});
    put32(gap, 10, 74);
    BMP g(gap);
    ASSERT_TRUE(g.isValid()) << g.error();
    EXPECT_EQ(g.getBitsIndex(), 74);
    expectEightBitPicture(g);

    // Fields that point into the headers, past the end, or too late for the
    // rows to fit fall back to the rows right after the palette.
    for (uint32_t field : {20u, 0x7FFFFFFFu, 0xFFFFFFFFu, 74u}) {
        Bytes b = eightBit(false);
        put32(b, 10, field);
        BMP m(b);
        ASSERT_TRUE(m.isValid()) << field << ": " << m.error();
        EXPECT_EQ(m.getBitsIndex(), 70) << field;
        expectEightBitPicture(m);
    }
}

TEST(Bmp, MalformedFilesAreRejected) {
    struct Case {
        const char* what;
        Bytes bytes;
    };
    auto with = [](size_t at, uint32_t v, bool wide = true) {
        Bytes b = eightBit(false);
        if (wide) {
            put32(b, at, v);
        } else {
            put16(b, at, v);
        }
        return b;
    };
    Bytes truncated = eightBit(false);
    truncated.pop_back();
    Bytes headerOnly = eightBit(false);
    headerOnly.resize(40);
    const Case cases[] = {
        {"truncated rows", truncated},
        {"truncated header", headerOnly},
        {"empty", {}},
        {"not BM", with(0, 0x4D42 ^ 0x0101, false)},
        {"other header size", with(14, 108)},
        {"compressed", with(30, 1)},
        {"huge colour count", with(46, 100000)},
        {"palette past the end", with(46, 256)},
        {"zero width", with(18, 0)},
        {"negative width", with(18, static_cast<uint32_t>(-3))},
        {"zero height", with(22, 0)},
        {"most negative height", with(22, 0x80000000u)},
        {"huge height", with(22, 0x7FFFFFFF)},
        {"seven bits per pixel", with(28, 7, false)},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(BMP::fromBytes(c.bytes, &error).has_value()) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
        BMP b(c.bytes);
        EXPECT_FALSE(b.isValid()) << c.what;
        EXPECT_TRUE(b.getBits().empty()) << c.what;
        EXPECT_EQ(b.getPixel(0, 0), -1) << c.what;
        (void)b.getPalette(255);  // reads stay inside the bytes
    }
    std::string error = "stale";
    EXPECT_TRUE(BMP::fromBytes(eightBit(true), &error).has_value());
    EXPECT_TRUE(error.empty());
}

}  // namespace
}  // namespace tetsuro
