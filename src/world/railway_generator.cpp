#include "world/railway_generator.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/split_mix64.h"
#include "trains/station_store.h"
#include "trains/train_store.h"
#include "world/world_file.h"

namespace tetsuro {

namespace {

constexpr int32_t kMesh = 100;
// Across a ring: the two tracks 30 m apart with the station buildings
// between them, and 30 m to the next ring, so that stations of
// neighbouring rings never touch (they would merge into one).
constexpr int64_t kTrackGap = 300;
constexpr int64_t kRingPitchY = 600;
constexpr int64_t kRingGapX = 3000;
constexpr int64_t kMargin = 1000;
// Every other point of a side is 2 m off the line.
constexpr int64_t kSway = 20;
// Piece lengths 180..240 m: an 8-car train (160 m) fits on any one piece,
// so it can start on any platform.
constexpr int64_t kMinLength = 1800;
constexpr int64_t kLengthStep = 50;
constexpr int64_t kLengthSteps = 13;
// About 20 km of double track per ring.
constexpr int32_t kRingPieces = 202;
// A platform every 20 pieces, unless the trains need more; at the densest
// a station every 4 pieces of a side (a platform and three plain pieces).
constexpr int32_t kPiecesPerPlatform = 20;
constexpr int32_t kMinStationSpacing = 4;
constexpr int64_t kFund = int64_t(1) << 50;

// A ring has `side` pieces along each track and one piece across each end;
// with `chamfer` its east end is two pieces at 45 degrees instead.
struct RingShape {
    int32_t side = 0;
    bool chamfer = false;
};

std::vector<RingShape> ringShapes(int32_t pieces) {
    int32_t rings = std::max(1, (pieces + kRingPieces / 2) / kRingPieces);
    rings = std::min(rings, pieces / kMinRailwayPieces);
    std::vector<RingShape> shapes(static_cast<size_t>(rings));
    for (int32_t i = 0; i < rings; ++i) {
        const int32_t p = pieces / rings + (i < pieces % rings ? 1 : 0);
        shapes[size_t(i)] = RingShape{(p - 2) / 2, (p - 2) % 2 != 0};
    }
    return shapes;
}

int32_t stationRoom(const RingShape& r) { return r.side / kMinStationSpacing; }

// Shares `total` out over items in proportion to their weights, never
// giving an item more than its cap; the sum of the caps must cover total.
std::vector<int32_t> share(int64_t total, const std::vector<int32_t>& weight, const std::vector<int32_t>& cap) {
    int64_t sum = 0;
    for (int32_t w : weight) sum += w;
    std::vector<int32_t> out(weight.size(), 0);
    int64_t given = 0;
    for (size_t i = 0; i < weight.size() && sum > 0; ++i) {
        out[i] = int32_t(std::min<int64_t>(cap[i], total * weight[i] / sum));
        given += out[i];
    }
    for (bool more = true; given < total && more;) {
        more = false;
        for (size_t i = 0; i < out.size() && given < total; ++i) {
            if (out[i] < cap[i]) ++out[i], ++given, more = true;
        }
    }
    return out;
}

int32_t stationLimit(const std::vector<RingShape>& shapes) {
    int64_t room = 0;
    for (const RingShape& r : shapes) room += stationRoom(r);
    return int32_t(std::min<int64_t>(room, Station::m_max));
}

}  // namespace

int32_t maxRailwayTrains(int32_t pieces) {
    if (pieces < kMinRailwayPieces) return 0;
    return std::min(Train::m_max, 2 * stationLimit(ringShapes(pieces)));
}

GeneratedRailway generateRailway(const RailwayRequest& q) {
    GeneratedRailway g;
    if (q.pieces < kMinRailwayPieces) {
        g.error = "a railway needs at least " + std::to_string(kMinRailwayPieces) + " pieces";
        return g;
    }
    const int32_t maxTrains = maxRailwayTrains(q.pieces);
    if (q.trains < 0 || q.trains > maxTrains) {
        g.error = std::to_string(q.trains) + " trains do not fit on " + std::to_string(q.pieces) +
                  " pieces (at most " + std::to_string(maxTrains) + ", one for every platform)";
        return g;
    }
    const std::vector<RingShape> shapes = ringShapes(q.pieces);
    const size_t rings = shapes.size();

    // Stations: the usual spacing, more when the trains need them, at least
    // one a ring; two platforms each.
    const int64_t usual = (int64_t(q.pieces) + 2 * kPiecesPerPlatform - 1) / (2 * kPiecesPerPlatform);
    const int32_t stations = int32_t(std::min<int64_t>(
        stationLimit(shapes), std::max<int64_t>({usual, q.trains, std::min<int64_t>(int64_t(rings), Station::m_max)})));
    std::vector<int32_t> sides, room;
    for (const RingShape& r : shapes) sides.push_back(r.side), room.push_back(stationRoom(r));
    const std::vector<int32_t> ringStations = share(stations, sides, room);
    std::vector<int32_t> platforms;
    for (int32_t s : ringStations) platforms.push_back(2 * s);
    const std::vector<int32_t> ringTrains = share(q.trains, platforms, platforms);

    // Piece lengths and speed classes, ring by ring, from the seed.
    SplitMix64 rng(q.seed);
    std::vector<std::vector<int64_t>> xs(rings);  // the side's point x offsets
    std::vector<int32_t> speed(rings);
    int64_t widest = 0;
    for (size_t i = 0; i < rings; ++i) {
        speed[i] = int32_t(20 + 2 * rng.below(3));  // 100..120 km/h
        xs[i].push_back(0);
        for (int32_t k = 0; k < shapes[i].side; ++k)
            xs[i].push_back(xs[i].back() + kMinLength + kLengthStep * int64_t(rng.below(kLengthSteps)));
        widest = std::max(widest, xs[i].back());
    }

    // The rings in a grid of about square outline.
    const int64_t pitchX = widest + kTrackGap / 2 + kRingGapX;
    const int64_t columns =
        std::max<int64_t>(1, std::llround(std::sqrt(double(rings) * double(kRingPitchY) / double(pitchX))));
    const int64_t rows = (int64_t(rings) + columns - 1) / columns;
    WorldSpec& w = g.world;
    const int64_t mapRows = (2 * kMargin + rows * kRingPitchY + kMesh - 1) / kMesh;
    const int64_t mapColumns = (2 * kMargin + columns * pitchX + kMesh - 1) / kMesh;
    if (mapRows > 32767 || mapColumns > 32767) {
        g.error = std::to_string(q.pieces) + " pieces do not fit on the largest map";
        return g;
    }
    w.rows = int32_t(mapRows);
    w.columns = int32_t(mapColumns);
    w.meshSize = kMesh;
    w.fund = kFund;

    std::string err;
    std::vector<int8_t> stopEverySlot;
    decodePlatformRules("3", stopEverySlot, err);

    int32_t number = 0;
    for (size_t i = 0; i < rings; ++i) {
        const RingShape& shape = shapes[i];
        const int64_t y0 = kMargin + int64_t(i) % rows * kRingPitchY;
        const int64_t x0 = kMargin + int64_t(i) / rows * pitchX;
        const int32_t n = shape.side;
        // Point k of the north track (k = 0..n, west to east) and of the
        // south one.
        auto north = [&](int32_t k) { return WorldPoint{y0 + (k % 2) * kSway, x0 + xs[i][size_t(k)]}; };
        auto south = [&](int32_t k) { return WorldPoint{y0 + kTrackGap + (k % 2) * kSway, x0 + xs[i][size_t(k)]}; };

        // Clockwise: east along the north track, down the east end, west
        // along the south track and up the west end to the start.
        WorldTrack t;
        t.type = 0;
        t.speed = speed[i];
        for (int32_t k = 0; k <= n; ++k) t.points.push_back(north(k));
        if (shape.chamfer) {
            const WorldPoint e = north(n);
            t.points.push_back(WorldPoint{e.y + kTrackGap / 2, e.x + kTrackGap / 2});
        }
        for (int32_t k = n; k >= 0; --k) t.points.push_back(south(k));
        t.points.push_back(north(0));
        w.track.push_back(std::move(t));

        // Station m on side piece p: the building between the tracks, a
        // platform on each; its two platforms in running order.
        const int32_t s = ringStations[i];
        auto sidePiece = [&](int32_t m) { return int32_t((2 * int64_t(m) + 1) * n / (2 * int64_t(s))); };
        for (int32_t m = 0; m < s; ++m) {
            const int32_t p = sidePiece(m);
            WorldStation st;
            st.buildings.push_back(
                WorldPoint{(y0 + kTrackGap / 2) / kMesh, (2 * x0 + xs[i][size_t(p)] + xs[i][size_t(p + 1)]) / 2 / kMesh});
            WorldPlatform a{false, north(p), north(p + 1), stopEverySlot, true};
            WorldPlatform b{false, south(p + 1), south(p), stopEverySlot, true};
            st.platforms = {a, b};
            w.stations.push_back(std::move(st));
        }

        // The ring's trains spread evenly over its platforms in running
        // order (north track eastwards, then south track westwards), each
        // centred on its platform and heading on round the ring.
        const int32_t f = 2 * s;
        for (int32_t j = 0; j < ringTrains[i]; ++j) {
            const int32_t at = int32_t(int64_t(j) * f / ringTrains[i]);
            const bool onNorth = at < s;
            const int32_t p = sidePiece(onNorth ? at : f - 1 - at);
            const WorldPoint from = onNorth ? north(p) : south(p + 1);
            const WorldPoint to = onNorth ? north(p + 1) : south(p);
            WorldTrain tr;
            tr.number = number++;
            tr.type = 0;
            tr.cars = kRailwayCars;
            tr.colour = int32_t(rng.below(0x1000000));
            tr.at = WorldPoint{(from.y + to.y) / 2, (from.x + to.x) / 2};
            tr.facing = to;
            w.trains.push_back(tr);
        }
    }
    g.ok = true;
    g.rings = int32_t(rings);
    g.stations = stations;
    g.platforms = 2 * stations;
    return g;
}

}  // namespace tetsuro
