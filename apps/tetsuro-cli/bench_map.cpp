// tetsuro-cli bench map: the terrain grid's figures. Conversions and
// elevation lookups per call, the hourly counter decay on a 1024 x 1024 city,
// and the whole-map costs of the largest map (allocation with peak memory,
// the sea check, the point recount, the decay). Deterministic inputs; one
// JSON line per figure.
#include "bench_output.h"
#include "bench_map.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_args.h"
#include "game/host.h"
#include "game/main_canvas.h"
#include "map/block.h"
#include "map/map.h"
#include "map/map_controller.h"
#include "map/map_view.h"
#include "support/int_math.h"

namespace tetsuro::cli {

namespace {

const char kUsage[] =
    "Usage: tetsuro-cli bench map [--size N] [--mesh MS] [--calls N]\n"
    "\n"
    "  --size N    side of the large map in meshes (default 9984, 0 skips it)\n"
    "  --mesh MS   mesh size of the large map and the city (default 400: most blocks)\n"
    "  --calls N   conversions and elevation lookups to time (default 10000000)\n";

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

// Resident and peak resident memory in MB from the process status file;
// -1 where the system has none.
double statusMB(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0) return std::stod(line.substr(std::string(key).size())) / 1024.0;
    }
    return -1;
}

// A small deterministic generator for the sample points.
struct Lcg {
    uint64_t s = 88172645463325252ULL;
    uint32_t next() {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return uint32_t(s >> 33);
    }
};

struct World {
    VirtualClock clock{0};
    RecordingHost host;
    MainCanvas canvas{host, clock};
    MapController ctl{canvas};
    World() { canvas._wm_size(600, 800); }
};

void benchConversions(int64_t calls) {
    const MapView v{600, 800, 864, 9984 * 200, 9984 * 200, 400};
    const int32_t rmax = 9984 * 400;
    int64_t sum = 0;
    const auto t0 = Clock::now();
    for (int64_t i = 0; i < calls / 4; ++i) {
        const int32_t y = int32_t((i * 7919) % rmax);
        const int32_t sy = v.getSYfromRY(y);
        const int32_t sx = v.getSXfromRX(rmax - y);
        sum += sy + sx + v.getRYfromSY(sy) + v.getRXfromSX(sx);
    }
    const double s = secondsSince(t0);
    const nlohmann::json work{{"calls", calls / 4 * 4}, {"checksum", sum}};
    printFigure("map.conversions.seconds_per_10M", s * 1e7 / double(calls / 4 * 4), "s", work);
}

void benchElevation(World& w, int32_t side, int64_t calls) {
    const int32_t ms = w.canvas.slots().m_swa[SWA_MESH_SIZE];
    Lcg rng;
    for (auto& z : Map::m_aSLv) z = int16_t(rng.next() % 4000);
    // Sample points drawn beforehand, so only the lookups are timed.
    const uint32_t rmax = uint32_t(Map::getRYMax()) + 1;
    std::vector<int32_t> pts(1 << 20);
    for (auto& v : pts) v = int32_t(rng.next() % rmax);
    double sum = 0;
    const auto t0 = Clock::now();
    for (int64_t i = 0; i < calls; ++i) {
        const std::size_t k = std::size_t(i) & (pts.size() - 1);
        sum += Map::getZ_RYX(pts[k], pts[(k * 7 + 1) & (pts.size() - 1)]);
    }
    const double s = secondsSince(t0);
    const nlohmann::json work{{"calls", calls}, {"map", side}, {"mesh", ms}, {"checksum", sum}};
    printFigure("map.getZ_RYX.random." + std::to_string(side) + ".seconds_per_10M", s * 1e7 / double(calls), "s",
                work);

    // Along a line, as track and cursor heights are asked for.
    int32_t y = 0, x = 0;
    sum = 0;
    const auto t1 = Clock::now();
    for (int64_t i = 0; i < calls; ++i) {
        sum += Map::getZ_RYX(y, x);
        y += 37;
        x += 53;
        if (y >= int32_t(rmax)) y -= int32_t(rmax);
        if (x >= int32_t(rmax)) x -= int32_t(rmax);
    }
    const double s1 = secondsSince(t1);
    printFigure("map.getZ_RYX.line." + std::to_string(side) + ".seconds_per_10M", s1 * 1e7 / double(calls), "s",
                {{"calls", calls}, {"map", side}, {"mesh", ms}, {"checksum", sum}});
}

// Houses and offices over a square of meshes, trips on every block of it,
// then game hours of decay; only restore() is timed.
void benchRestore(World& w, const std::string& name, int32_t y0, int32_t x0, int32_t side) {
    w.ctl.setMapTyp(y0, x0, side, side, 33, Map::getTyp(y0, x0));
    for (int32_t y = y0; y < y0 + side; y += 3) w.ctl.setMapTyp(y, x0, 1, side, 45, 33);
    const int32_t bms = Map::m_bms;
    auto addTrips = [&] {
        for (int32_t by = y0 / bms; by < (y0 + side) / bms; ++by)
            for (int32_t bx = x0 / bms; bx < (x0 + side) / bms; ++bx) {
                const int32_t n = Block::getNumber(by, bx);
                Block::addHIn(n, 20);
                Block::addHOut(n, 20);
                Block::addOIn(n, 10);
                Block::addOOut(n, 10);
            }
    };
    Block::restore();  // the first hour after init visits every block once
    double total = 0;
    const int hours = 24;
    for (int h = 0; h < hours; ++h) {
        addTrips();
        const auto t0 = Clock::now();
        Block::restore();
        total += secondsSince(t0);
    }
    const nlohmann::json work{{"hours", hours},
                              {"blocks", Block::size()},
                              {"active_blocks", Block::activeCount()},
                              {"city_meshes", int64_t(side) * side},
                              {"mesh", Map::m_ms}};
    printFigure(name, total * 1e3 / hours, "ms/hour", work);
}

void benchLargeMap(int32_t side, int32_t ms) {
    World w;
    w.ctl.setMeshSize(ms);
    // The two tables alone first, then the whole map start (Sub, tables, hooks).
    auto t0 = Clock::now();
    const int32_t bms = std::max(1, 800 / ms);
    if (!Block::init(ceilDiv(side, bms), ceilDiv(side, bms))) return;
    const double blockMs = secondsSince(t0) * 1e3;
    t0 = Clock::now();
    if (!Map::init(side, side, ms, 50)) return;
    const double mapMs = secondsSince(t0) * 1e3;
    Map::reset();
    Block::reset();
    const double rss0 = statusMB("VmRSS:");
    t0 = Clock::now();
    if (!w.ctl.setMapSize(side, side)) {
        std::fprintf(stderr, "tetsuro-cli bench map: a %d x %d map does not fit in memory\n", side, side);
        return;
    }
    double s = secondsSince(t0);
    printFigure("map.init.large.ms", s * 1e3, "ms",
                {{"map", side},
                 {"mesh", ms},
                 {"blocks", Block::size()},
                 {"block_init_ms", blockMs},
                 {"map_init_ms", mapMs},
                 {"rss_mb", statusMB("VmRSS:") - rss0},
                 {"peak_rss_mb", statusMB("VmHWM:")},
                 {"map_array_mb", double(Map::m_aTyp.size() + Map::m_aSLv.size() * 2) / (1 << 20)}});

    // The first decay hour after a new map: every counter is 0, every block
    // is visited.
    t0 = Clock::now();
    Block::restore();
    printFigure("map.restore.large.first_hour.ms", secondsSince(t0) * 1e3, "ms",
                {{"blocks", Block::size()}, {"active_after", Block::activeCount()}});

    // Land everywhere, then the southern half under the sea.
    std::fill(Map::m_aTyp.begin(), Map::m_aTyp.end(), int8_t(LAND_GRASS));
    std::fill(Map::m_aSLv.begin(), Map::m_aSLv.begin() + std::ptrdiff_t(Map::m_aSLv.size() / 2), Map::kNoLand);
    t0 = Clock::now();
    const int64_t drowned = Map::checkTypSea();
    printFigure("map.checkTypSea.large.ms", secondsSince(t0) * 1e3, "ms",
                {{"map", side}, {"meshes", int64_t(side) * side}, {"changed", drowned}});

    const int32_t city = std::min(1024, side);
    benchRestore(w, "map.restore.large.city_hour.ms", side / 2, side / 2 - city / 2, city);

    t0 = Clock::now();
    Block::recomputePoints();
    printFigure("map.recomputePoints.large.ms", secondsSince(t0) * 1e3, "ms", {{"map", side}, {"mesh", ms}});

    t0 = Clock::now();
    Map::compress();
    printFigure("map.compress.large.ms", secondsSince(t0) * 1e3, "ms",
                {{"packed_mb", double(Map::m_aTyC.size() + Map::m_aSLC.size() * 2) / (1 << 20)}});
    Map::freeCompressArea();
}

}  // namespace

int benchMap(std::span<const char* const> args) {
    ArgReader r("bench map", args);
    int64_t side = 9984, ms = 400, calls = 10000000;
    while (!r.done()) {
        std::string_view a = r.next();
        if (a == "--size") {
            if (!r.intValue(a, 0, Map::kMaxSide, side)) return 2;
        } else if (a == "--mesh") {
            if (!r.intValue(a, 25, 400, ms)) return 2;
        } else if (a == "--calls") {
            if (!r.intValue(a, 4, int64_t(1) << 36, calls)) return 2;
        } else if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else {
            r.error("unknown option '" + std::string(a) + "'");
            return 2;
        }
    }
    benchConversions(calls);
    {
        World w;
        if (!w.ctl.setMeshSize(int32_t(ms)) || !w.ctl.setMapSize(1024, 1024)) return 1;
        benchElevation(w, 1024, calls);
        benchRestore(w, "map.restore.city1024.ms", 0, 0, 1024);
    }
    if (side > 0) {
        benchLargeMap(int32_t(side), int32_t(ms));
        World w;
        if (!w.ctl.setMeshSize(int32_t(ms)) || !w.ctl.setMapSize(int32_t(side), int32_t(side))) return 1;
        benchElevation(w, int32_t(side), calls);
    }
    return 0;
}

}  // namespace tetsuro::cli
