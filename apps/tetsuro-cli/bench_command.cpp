// tetsuro-cli bench NAME: deterministic reference runs that print one JSON
// line per figure (name, value, unit and the work done). Figures are
// per-unit costs so they compare across noisy machines. Never pass/fail.
#include <chrono>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "bench_output.h"
#include "bench_map.h"
#include "cli_args.h"
#include "commands.h"
#include "dia_bench.h"
#include "game/game_clock.h"
#include "game/headless_game.h"
#include "rail_bench.h"
#include "sim_bench.h"
#include "station_bench.h"
#include "train_bench.h"

namespace tetsuro::cli {

namespace {

const char kUsage[] =
    "Usage: tetsuro-cli bench NAME [--steps N]\n"
    "\n"
    "Benchmarks, one JSON line per figure:\n"
    "  frame    frame steps of the empty world through the headless driver\n"
    "  map      terrain grid: conversions, elevations, counter decay, largest map (map --help)\n"
    "  rail     track, sections and signals on random layouts up to 100k pieces\n"
    "  stations mesh index rebuild at 1000 stations / 10^5 meshes, platform look-ups by rail\n"
    "  trains   a 10-car train moved along a 1000-piece line (--steps, default 2000000)\n"
    "  timetables isConnect and searchFirstArrive on 1000 trains of 50-stop loops, 1000 stations\n"
    "  sim      generated railways of 1k-100k pieces and 10-1000 trains through the frame cycle (sim --help)\n";

// Pure overhead every later figure sits on: the timer tick, the frame step,
// the simulation step of an empty world and the paint handshake.
int benchFrame(int64_t steps) {
    for (int speed : {1, 22}) {
        HeadlessGameOptions opt;
        opt.speed = speed;
        HeadlessGame game(opt);
        if (!game.startEmptyGame()) return 1;
        auto& d = game.driver();
        for (int i = 0; i < 1000; ++i) d.step();  // warm up
        const int64_t clock0 = game.canvas().clock();
        const auto t0 = std::chrono::steady_clock::now();
        for (int64_t i = 0; i < steps; ++i) d.step();
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        nlohmann::json work{{"steps", steps},
                            {"speed", speed},
                            {"game_hours", double(game.canvas().clock() - clock0) / kTicksPerHour}};
        printFigure("frame.steps_per_second.speed" + std::to_string(speed), steps / s, "steps/s", work);
        printFigure("frame.ns_per_step.speed" + std::to_string(speed), s * 1e9 / steps, "ns/step", work);
    }
    return 0;
}

int runBench(std::span<const char* const> args) {
    if (args.empty() || std::string_view(args[0]) == "--help" || std::string_view(args[0]) == "-h") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    std::string_view name = args[0];
    if (name == "map") return benchMap(args.subspan(1));
    if (name == "sim") return benchSim(args.subspan(1));
    ArgReader r("bench", args.subspan(1));
    int64_t steps = 2000000;
    while (!r.done()) {
        std::string_view a = r.next();
        if (a == "--steps") {
            if (!r.intValue(a, 1, int64_t(1) << 40, steps)) return 2;
        } else {
            r.error("unknown option '" + std::string(a) + "'");
            return 2;
        }
    }
    if (name == "frame") return benchFrame(steps);
    if (name == "rail") return benchRail(printFigure);
    if (name == "trains") return benchTrains(printFigure, steps);
    if (name == "stations") return benchStations(printFigure);
    if (name == "timetables") return benchTimetables(printFigure);
    std::fprintf(stderr, "tetsuro-cli bench: unknown benchmark '%.*s' (try --help)\n", int(name.size()), name.data());
    return 2;
}

}  // namespace

extern const Command kBenchCommand;
const Command kBenchCommand{"bench", "run a benchmark and print its figures as JSON lines", runBench};

}  // namespace tetsuro::cli
