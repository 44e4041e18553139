#include "car_texture.h"

namespace tetsuro::resgen {
namespace {

class Canvas {
public:
    Canvas() : m_px(std::size_t(kTextureWidth) * kTextureHeight, kRoofGrey) {}
    void fill(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t c) {
        for (int32_t y = y0; y < y1; ++y)
            for (int32_t x = x0; x < x1; ++x) m_px[std::size_t(y) * kTextureWidth + std::size_t(x)] = c;
    }
    void fill(const Rect& r, uint8_t c) { fill(r.x0, r.y0, r.x1, r.y1, c); }
    void frame(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t c) {
        fill(x0, y0, x1, y0 + 1, c);
        fill(x0, y1 - 1, x1, y1, c);
        fill(x0, y0, x0 + 1, y1, c);
        fill(x1 - 1, y0, x1, y1, c);
    }
    std::vector<uint8_t> take() { return std::move(m_px); }

private:
    std::vector<uint8_t> m_px;
};

void paintSide(Canvas& c, const TextureStyle& s) {
    const Rect& r = kSide;
    c.fill(r, kBody);
    c.fill(r.x0, r.y0, r.x1, r.y0 + 2, kSeam);  // eave edge
    c.fill(r.x0, r.y1 - 1, r.x1, r.y1, kSeam);  // floor edge
    c.fill(r.x0, r.y0 + s.stripeTop, r.x1, r.y0 + s.stripeTop + s.stripeRows, kStripe);
    if (s.secondStripe) {
        const int32_t y = r.y0 + s.stripeTop + s.stripeRows + 1;
        c.fill(r.x0, y, r.x1, y + 1, kStripe2);
    }
    // Doors evenly along the side, windows between them.
    const int32_t width = r.x1 - r.x0;
    const int32_t bays = s.doors + 1;
    for (int32_t b = 0; b < bays; ++b) {
        const int32_t bx0 = r.x0 + width * b / bays, bx1 = r.x0 + width * (b + 1) / bays;
        if (b > 0) {
            const int32_t dx = bx0 - 4;
            c.fill(dx, r.y0 + 4, dx + 8, r.y1 - 2, kDoor);
            c.frame(dx, r.y0 + 4, dx + 8, r.y1 - 2, kSeam);
            c.fill(dx + 2, r.y0 + 7, dx + 6, r.y0 + 15, kGlass);
        }
        const int32_t inner0 = bx0 + (b > 0 ? 6 : 3), inner1 = bx1 - (b + 1 < bays ? 6 : 3);
        const int32_t span = inner1 - inner0;
        for (int32_t w = 0; w < s.windows && span > 4; ++w) {
            const int32_t wx0 = inner0 + span * w / s.windows + 1, wx1 = inner0 + span * (w + 1) / s.windows - 1;
            c.fill(wx0, r.y0 + 6, wx1, r.y0 + 15, kFrame);
            c.fill(wx0 + 1, r.y0 + 7, wx1 - 1, r.y0 + 14, kGlass);
        }
    }
}

void paintRoof(Canvas& c) {
    c.fill(kRoof, kRoofGrey);
    for (int32_t x = kRoof.x0 + 10; x + 6 < kRoof.x1; x += 24) c.fill(x, kRoof.y0 + 2, x + 6, kRoof.y1 - 2, kVent);
}

void paintFront(Canvas& c) {
    const Rect& r = kFront;
    c.fill(r, kBody);
    c.fill(r.x0 + 2, r.y0 + 1, r.x1 - 2, kFrontSplit - 1, kGlass);  // windscreen
    c.fill(r.x0 + 15, r.y0 + 1, r.x0 + 17, kFrontSplit - 1, kFrame);  // centre pillar
    c.fill(r.x0, kFrontSplit + 2, r.x1, kFrontSplit + 4, kStripe);
    c.fill(r.x0 + 3, kFrontSplit + 6, r.x0 + 7, kFrontSplit + 8, kHeadlight);
    c.fill(r.x1 - 7, kFrontSplit + 6, r.x1 - 3, kFrontSplit + 8, kHeadlight);
    c.fill(r.x0 + 8, kFrontSplit + 6, r.x0 + 10, kFrontSplit + 8, kTaillight);
    c.fill(r.x1 - 10, kFrontSplit + 6, r.x1 - 8, kFrontSplit + 8, kTaillight);
    c.fill(r.x0, r.y1 - 2, r.x1, r.y1, kSkirt);
}

void paintEnd(Canvas& c) {
    const Rect& r = kEnd;
    c.fill(r, kBody);
    c.fill(r.x0 + 10, r.y0 + 2, r.x0 + 22, r.y1, kDoor);
    c.frame(r.x0 + 10, r.y0 + 2, r.x0 + 22, r.y1, kSeam);
    c.fill(r.x0 + 12, r.y0 + 4, r.x0 + 20, r.y0 + 11, kGlass);
}

void paintUnder(Canvas& c) {
    c.fill(kUnder, kUnderGrey);
    for (int32_t x = kUnder.x0 + 6; x + 10 < kUnder.x1; x += 16) c.fill(x, kUnder.y0 + 1, x + 10, kUnder.y1 - 2, kSkirt);
}

}  // namespace

std::vector<uint8_t> paintTexture(const TextureStyle& style) {
    Canvas c;
    paintSide(c, style);
    paintRoof(c);
    paintFront(c);
    paintEnd(c);
    paintUnder(c);
    return c.take();
}

}  // namespace tetsuro::resgen
