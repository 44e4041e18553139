#include "car_model.h"

#include <cstdlib>
#include <stdexcept>

#include "car_texture.h"

namespace tetsuro::resgen {
namespace {

struct Vertex {
    Point p;
    int32_t u, v;
};

int64_t dot(int64_t ax, int64_t ay, int64_t az, const Point& b) { return ax * b.x + ay * b.y + az * b.z; }

// Appends a face given as a polygon in order round its edge, wound so that
// it is counter-clockwise seen from the side `outward` points to (back faces
// are culled). Quads go to the file in strip order.
void addFace(std::vector<Face>& out, std::vector<Vertex> poly, Point outward) {
    if (poly.size() < 3 || poly.size() > 4) throw std::logic_error("faces have three or four corners");
    const Point& a = poly[0].p;
    const Point& b = poly[1].p;
    const Point& c = poly[2].p;
    const int64_t ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    const int64_t vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    const int64_t nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const int64_t facing = dot(nx, ny, nz, outward);
    if (facing == 0) throw std::logic_error("degenerate face or sideways outward direction");
    if (facing < 0) std::swap(poly[1], poly[poly.size() - 1]);
    if (poly.size() == 4) std::swap(poly[2], poly[3]);
    Face f;
    for (const Vertex& w : poly) {
        f.v.push_back(w.p);
        f.tc.emplace_back(w.u, w.v);
    }
    out.push_back(std::move(f));
}

// Linear map of value in [from0, from1] onto [to0, to1], rounded.
int32_t lerp(int32_t value, int32_t from0, int32_t from1, int32_t to0, int32_t to1) {
    int64_t num = int64_t(value - from0) * (to1 - to0);
    int64_t den = from1 - from0;
    if (den < 0) num = -num, den = -den;
    // Nearest whole pixel, halves away from zero.
    const int64_t q = num >= 0 ? (2 * num + den) / (2 * den) : -((-2 * num + den) / (2 * den));
    return static_cast<int32_t>(to0 + q);
}

class CarBuilder {
public:
    CarBuilder(const CarShape& s) : L(s.halfLength), W(s.halfWidth), N(s.nose) {}

    // Side wall point: the side band maps the car's length across its width
    // and the wall's height down its rows.
    Vertex side(int32_t x, int32_t y, int32_t z) const {
        return {{x, y, z}, lerp(x, -L, L, kSide.x0, kSide.x1), lerp(z, kEave, kFloor, kSide.y0, kSide.y1)};
    }
    Vertex roof(int32_t x, int32_t y, int32_t z) const {
        return {{x, y, z}, lerp(x, -L, L, kRoof.x0, kRoof.x1), lerp(y, -W, W, kRoof.y0, kRoof.y1)};
    }
    // Gable triangle above an end: roof colours.
    Vertex gable(int32_t x, int32_t y, int32_t z) const {
        return {{x, y, z}, lerp(y, -W, W, kRoof.x0, kRoof.x0 + 15), lerp(z, kRidge, kEave, kRoof.y0, kRoof.y1)};
    }
    Vertex gangway(int32_t x, int32_t y, int32_t z) const {
        return {{x, y, z}, lerp(y, -W, W, kEnd.x0, kEnd.x1), lerp(z, kEave, kFloor, kEnd.y0, kEnd.y1)};
    }
    // Cab front: windscreen in the upper half of the region, the front
    // panel with the lights in the lower half.
    Vertex screen(int32_t x, int32_t y, int32_t z) const {
        return {{x, y, z}, lerp(y, -W, W, kFront.x0, kFront.x1), lerp(z, kEave, kBelt, kFront.y0, kFrontSplit)};
    }
    Vertex panel(int32_t x, int32_t y, int32_t z) const {
        return {{x, y, z}, lerp(y, -W, W, kFront.x0, kFront.x1), lerp(z, kBelt, kFloor, kFrontSplit, kFront.y1)};
    }
    Vertex under(int32_t x, int32_t y, int32_t z, int32_t along, int32_t span) const {
        return {{x, y, z}, lerp(along, -span, span, kUnder.x0, kUnder.x1), lerp(z, kUnderTop, kUnderBottom, kUnder.y0, kUnder.y1)};
    }

    std::vector<Face> build(bool cab) const {
        std::vector<Face> f;
        const int32_t front = cab ? L - N : L;  // where the full-height side and the roof end
        for (int32_t s : {-1, 1}) {
            const int32_t y = s * W;
            const Point out{0, s, 0};
            addFace(f, {side(-L, y, kFloor), side(front, y, kFloor), side(front, y, kEave), side(-L, y, kEave)}, out);
            if (cab && N > 0) {
                // Below the raked windscreen the side runs on to the front,
                // and a triangle closes the side under the screen.
                addFace(f, {side(front, y, kFloor), side(L, y, kFloor), side(L, y, kBelt), side(front, y, kBelt)}, out);
                addFace(f, {side(front, y, kBelt), side(L, y, kBelt), side(front, y, kEave)}, out);
            }
            // Roof halves slope from the eaves up to the ridge.
            addFace(f, {roof(-L, y, kEave), roof(front, y, kEave), roof(front, 0, kRidge), roof(-L, 0, kRidge)},
                    {0, s, 1});
        }
        for (int32_t e : {-1, 1}) {
            const int32_t x = e < 0 ? -L : front;
            addFace(f, {gable(x, -W, kEave), gable(x, W, kEave), gable(x, 0, kRidge)}, {e, 0, 0});
            if (e < 0 || !cab) {
                const int32_t xe = e < 0 ? -L : L;
                addFace(f, {gangway(xe, -W, kFloor), gangway(xe, W, kFloor), gangway(xe, W, kEave), gangway(xe, -W, kEave)},
                        {e, 0, 0});
            }
        }
        if (cab) {
            addFace(f, {panel(L, -W, kFloor), panel(L, W, kFloor), panel(L, W, kBelt), panel(L, -W, kBelt)}, {1, 0, 0});
            // The windscreen leans back by the nose length; its outward side
            // is forward and up.
            addFace(f, {screen(L, -W, kBelt), screen(L, W, kBelt), screen(front, W, kEave), screen(front, -W, kEave)},
                    {1, 0, 1});
        }
        // Underframe: a narrower, shorter box under the floor.
        const int32_t ul = L - 150, uw = W - 25;
        for (int32_t s : {-1, 1}) {
            const int32_t y = s * uw;
            addFace(f, {under(-ul, y, kUnderBottom, -ul, ul), under(ul, y, kUnderBottom, ul, ul),
                        under(ul, y, kUnderTop, ul, ul), under(-ul, y, kUnderTop, -ul, ul)},
                    {0, s, 0});
            const int32_t x = s * ul;
            addFace(f, {under(x, -uw, kUnderBottom, -uw, uw), under(x, uw, kUnderBottom, uw, uw),
                        under(x, uw, kUnderTop, uw, uw), under(x, -uw, kUnderTop, -uw, uw)},
                    {s, 0, 0});
        }
        return f;
    }

private:
    int32_t L, W, N;
};

}  // namespace

std::vector<Face> buildCar(const CarShape& shape, bool cab) { return CarBuilder(shape).build(cab); }

std::string metres(int32_t cm) {
    std::string s = cm < 0 ? "-" : "";
    const int32_t a = std::abs(cm);
    s += std::to_string(a / 100);
    const int32_t frac = a % 100;
    if (frac != 0) {
        s += '.';
        s += char('0' + frac / 10);
        if (frac % 10 != 0) s += char('0' + frac % 10);
    }
    return s;
}

ModelFiles formatModel(const std::vector<Face>& faces) {
    ModelFiles m;
    for (const Face& f : faces) {
        std::string ve, tc;
        for (size_t i = 0; i < f.v.size(); ++i) {
            const char* sep = i == 0 ? "" : "\t";
            ve += sep + metres(f.v[i].x) + "\t" + metres(f.v[i].y) + "\t" + metres(f.v[i].z);
            tc += sep + std::to_string(f.tc[i].first) + "\t" + std::to_string(f.tc[i].second);
        }
        m.vertex += ve + "\n";
        m.coordinate += tc + "\n";
        m.normal += std::to_string(f.lighting) + "\n";
    }
    return m;
}

}  // namespace tetsuro::resgen
