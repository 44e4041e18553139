#include "support/split_mix64.h"
#include "station_bench.h"

#include <chrono>
#include <cstdio>
#include <vector>

#include "map/land_codes.h"
#include "rail/rail_commands.h"
#include "rail/rail_store.h"
#include "support/sub.h"
#include "trains/platform_store.h"
#include "trains/station_controller.h"
#include "trains/station_mesh_index.h"
#include "trains/station_scan.h"
#include "trains/station_store.h"
#include "world/headless_world.h"

namespace tetsuro::cli {

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

using Random = SplitMix64;

// Level lines 400 dm apart across a 512 x 512 map of 10 m meshes, each with
// eight platforms of 500 m, each platform a station of its own.
struct Layout {
    int32_t stations = 0;
    double buildMs = 0;
};

Layout buildLayout(HeadlessWorld& w, int32_t lines) {
    Layout out;
    StationController& st = w.world().stations();
    MapController& map = w.world().map();
    const auto t0 = Clock::now();
    for (int32_t k = 1; k <= lines; ++k) {
        const int32_t y = 400 * k;
        // Pieces of 620 m: the track joins them up to 1400 m, so the joints
        // fall between the platforms.
        for (int32_t x = 600; x + 6200 <= 50200; x += 6200) {
            RailCommands::layPiece(0, 21, RailPoint{0, y, x}, RailPoint{0, y, x + 6200});
        }
        for (const MeshYX& m : Sub::getUseMeshRail(y, 600, y, 50200, 19)) map.setMapTyp(m.my, m.mx, LAND_TRACK);
        for (int32_t j = 0; j < 8; ++j) {
            const int32_t x0 = 1000 + 6200 * j;
            if (st.constructFoBuild(false, RailPoint{0, y, x0}, RailPoint{0, y, x0 + 5000}, -1, -1) >= 0) {
                ++out.stations;
            }
        }
    }
    out.buildMs = msSince(t0);
    return out;
}

bool startWorld(HeadlessWorld& w) {
    if (!w.startFreeGame(512, 512)) return false;
    w.world().map().setMapTypAll(LAND_VACANT);
    w.world().finance().setFund(int64_t{1} << 50);
    return true;
}

void benchRenewMesh(const FigurePrinter& print, int32_t lines, bool literal) {
    HeadlessWorld w{HeadlessGameOptions{}};
    if (!startWorld(w)) return;
    const Layout layout = buildLayout(w, lines);
    const std::string base = "stations.s" + std::to_string(layout.stations);
    nlohmann::json work{{"stations", layout.stations},
                        {"pieces", FoBuild::count()},
                        {"rails", Rail::count()},
                        {"meshes", Station::meshIndex().size()}};
    print(base + ".build_platform", layout.buildMs / std::max(layout.stations, 1), "ms/piece", work);

    const int runs = 5;
    auto t0 = Clock::now();
    for (int i = 0; i < runs; ++i) Station::renewMesh();
    print(base + ".renew_mesh", msSince(t0) / runs, "ms/rebuild", work);
    if (literal) {
        StationScan::LiteralMeshIndex list;
        t0 = Clock::now();
        list.renewMesh();
        print(base + ".renew_mesh_literal", msSince(t0), "ms/rebuild", work);
    }

    // Look-ups by rail: every rail (with and without a platform) and both
    // directions, in a fixed random order.
    Random rnd(lines);
    std::vector<int32_t> refs(1 << 16);
    for (int32_t& r : refs) {
        r = RailRef::make(static_cast<int32_t>(rnd.below(Rail::size())), rnd.below(2) == 1);
    }
    int64_t found = 0;
    const int64_t calls = 4000000;
    t0 = Clock::now();
    for (int64_t i = 0; i < calls; ++i) found += Form::searchIndex_ri(refs[i & 0xFFFF]) >= 0;
    work["found"] = found;
    print(base + ".search_ri", msSince(t0) * 1e6 / calls, "ns/call", work);
    found = 0;
    t0 = Clock::now();
    for (int64_t i = 0; i < calls; ++i) found += Form::searchIndex_rib(refs[i & 0xFFFF], -1) >= 0;
    work["found"] = found;
    print(base + ".search_rib", msSince(t0) * 1e6 / calls, "ns/call", work);
    const int64_t scans = 2000;
    found = 0;
    t0 = Clock::now();
    for (int64_t i = 0; i < scans; ++i) found += StationScan::searchIndex_ri(refs[i & 0xFFFF]) >= 0;
    work["found"] = found;
    print(base + ".search_ri_literal", msSince(t0) * 1e6 / scans, "ns/call", work);
    found = 0;
    t0 = Clock::now();
    for (int64_t i = 0; i < scans; ++i) found += StationScan::searchIndex_rib(refs[i & 0xFFFF], -1) >= 0;
    work["found"] = found;
    print(base + ".search_rib_literal", msSince(t0) * 1e6 / scans, "ns/call", work);
}

}  // namespace

int benchStations(const FigurePrinter& print) {
    // A tenth of the layout, and the whole (the literal list takes seconds there).
    benchRenewMesh(print, 13, true);
    benchRenewMesh(print, 125, true);
    return 0;
}

}  // namespace tetsuro::cli
