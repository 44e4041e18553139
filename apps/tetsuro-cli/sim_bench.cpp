#include "sim_bench.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "cli_args.h"
#include "game/game_clock.h"
#include "game/headless_game.h"
#include "game/slots.h"
#include "rail/heisoku.h"
#include "trains/train_running.h"
#include "world/headless_world.h"
#include "world/railway_generator.h"
#include "world/world_file.h"

namespace tetsuro::cli {

namespace {

const char kUsage[] =
    "Usage: tetsuro-cli bench sim [--pieces N] [--trains T] [--hours H] [--max-seconds S] [--seed S]\n"
    "                             [--literal] [--quick]\n"
    "\n"
    "Generated railways (rings of double track, a station every few pieces, 8-car\n"
    "trains stopping 10 s at every platform) run through the frame cycle at speed\n"
    "22, painting into no surface. After a first game hour to get the trains going,\n"
    "each case runs H game hours as they are and H with the running's profiling on\n"
    "(for the breakdown), hour by hour in turns. Figures are per game day or hour\n"
    "of the plain hours; times are wall times (work.cpu_s has the processor time).\n"
    "\n"
    "  --pieces N       only this railway size (default: 1000, 10000 and 100000)\n"
    "  --trains T       only this many trains (default: 10, 100 and 1000)\n"
    "  --hours H        game hours per pass, 1..240 (default 24)\n"
    "  --max-seconds S  end a case early, at a whole hour, once its plain and profiled\n"
    "                   hours took S seconds of wall time together (default 60; 0: never)\n"
    "  --seed S         the railway generator's seed (default 1)\n"
    "  --literal        the literal stepper (every train moved at every step)\n"
    "  --quick          only the small cases: 1000 and 10000 pieces x 10 and 100 trains\n"
    "\n"
    "Cases with more trains than the railway has platforms are skipped.\n";

constexpr int kSpeed = 22;

struct Pass {
    double seconds = 0;     // wall
    double cpuSeconds = 0;  // the process's processor time (the machine may be shared)
    int64_t hours = 0;
    RunningStats stats;
    int64_t frameSteps = 0;
    int64_t paints = 0;
};

void add(RunningStats& a, const RunningStats& b) {
    a.calls += b.calls;
    a.steps += b.steps;
    a.trainSteps += b.trainSteps;
    a.events += b.events;
    a.nsStepChoice += b.nsStepChoice;
    a.nsRunning += b.nsRunning;
    a.nsEvents += b.nsEvents;
    a.nsCosts += b.nsCosts;
}

// One game hour through the frame cycle, as `simulate` runs it, added to
// `pass`. False (with a message) when the clock stopped or the game
// reported an error.
bool runHour(HeadlessWorld& w, bool profiling, Pass& pass) {
    HeadlessGame& game = w.game();
    TrainRunner& runner = w.world().runner();
    runner.resetStats();
    runner.setProfiling(profiling);
    const int64_t steps0 = game.driver().steps(), paints0 = game.driver().paints();
    const size_t messages0 = game.host().messages.size();
    const std::clock_t c0 = std::clock();
    const auto t0 = std::chrono::steady_clock::now();
    const bool ok = game.runTicks(kTicksPerHour, 100000);
    pass.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    pass.cpuSeconds += double(std::clock() - c0) / CLOCKS_PER_SEC;
    runner.setProfiling(false);
    if (!ok) {
        std::fprintf(stderr, "tetsuro-cli bench sim: the clock stopped at %lld\n",
                     static_cast<long long>(game.canvas().clock()));
        return false;
    }
    if (game.host().messages.size() > messages0) {
        std::fprintf(stderr, "tetsuro-cli bench sim: the game reported: %s\n", game.host().messages.back().c_str());
        return false;
    }
    add(pass.stats, runner.stats());
    pass.frameSteps += game.driver().steps() - steps0;
    pass.paints += game.driver().paints() - paints0;
    ++pass.hours;
    return true;
}

std::string sizeLabel(int64_t n) { return n % 1000 == 0 ? std::to_string(n / 1000) + "k" : std::to_string(n); }

// NaN prints as null: a figure the run gave nothing to measure by.
double ratio(double a, double b) { return b > 0 ? a / b : std::numeric_limits<double>::quiet_NaN(); }

int runCase(int64_t pieces, int64_t trains, int64_t hours, int64_t seed, bool literal, double maxSeconds) {
    const GeneratedRailway g = generateRailway(RailwayRequest{int32_t(pieces), int32_t(trains), uint64_t(seed)});
    if (!g.ok) {
        std::fprintf(stderr, "tetsuro-cli bench sim: %s\n", g.error.c_str());
        return 1;
    }
    HeadlessGameOptions opt;
    opt.speed = kSpeed;
    HeadlessWorld w(opt);
    const auto b0 = std::chrono::steady_clock::now();
    const WorldBuildResult built = buildWorld(w, g.world);
    const double buildSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - b0).count();
    if (!built.ok) {
        std::fprintf(stderr, "tetsuro-cli bench sim: the generated railway did not build: %s\n", built.error.c_str());
        return 1;
    }
    w.canvas().slots().m_sba[SBA_GAME_SPEED] = int8_t(kSpeed);
    TrainRunner& runner = w.world().runner();
    if (literal) runner.setLiteral(true);

    // An hour for the trains to leave their starting platforms and spread
    // out, then plain and profiled hours by turns, so that both see the
    // same part of the day.
    Pass warmUp, plain, profiled;
    if (!runHour(w, false, warmUp)) return 1;
    bool capped = false;
    for (int64_t h = 0; h < hours; ++h) {
        if (!runHour(w, false, plain) || !runHour(w, true, profiled)) return 1;
        if (maxSeconds > 0 && plain.seconds + profiled.seconds > maxSeconds && h + 1 < hours) {
            capped = true;
            break;
        }
    }
    if (capped)
        std::fprintf(stderr, "bench sim: %lld pieces x %lld trains stopped after %lld of %lld game hours (--max-seconds)\n",
                     static_cast<long long>(pieces), static_cast<long long>(trains),
                     static_cast<long long>(plain.hours), static_cast<long long>(hours));

    const RunningStats& s = plain.stats;
    const double hoursRun = double(plain.hours);
    const double days = hoursRun / 24.0;
    const nlohmann::json work{{"pieces", built.summary.pieces},
                              {"trains", built.summary.trainsPlaced},
                              {"rings", g.rings},
                              {"stations", built.summary.stations},
                              {"platforms", built.summary.platforms},
                              {"sections", Heisoku::count()},
                              {"stepper", runner.literal() ? "literal" : "lazy"},
                              {"speed", kSpeed},
                              {"game_hours", plain.hours},
                              {"capped", capped},
                              {"seed", seed},
                              {"calls", s.calls},
                              {"steps", s.steps},
                              {"train_steps", s.trainSteps},
                              {"events", s.events},
                              {"frame_steps", plain.frameSteps},
                              {"paints", plain.paints},
                              {"wall_s", plain.seconds},
                              {"cpu_s", plain.cpuSeconds},
                              {"profiled_wall_s", profiled.seconds},
                              {"profiled_cpu_s", profiled.cpuSeconds}};
    const std::string base = "sim." + sizeLabel(pieces) + "." + std::to_string(trains) + "t.";
    printFigure(base + "build_s", buildSeconds, "s", work);
    printFigure(base + "steps_per_day", double(s.steps) / days, "steps/day", work);
    printFigure(base + "ns_per_train_step", ratio(plain.seconds * 1e9, double(s.trainSteps)), "ns/train step", work);
    printFigure(base + "ms_per_game_hour", plain.seconds * 1e3 / hoursRun, "ms/game hour", work);
    printFigure(base + "game_days_per_s", ratio(days, plain.seconds), "game days/s", work);
    printFigure(base + "events_per_day", double(s.events) / days, "events/day", work);
    // Where the time of the profiled hours went (the rest is the frame
    // cycle and the hourly work), and what taking the times cost. The
    // runner settles the costs inside its running loop, so their share is
    // also part of running's.
    const RunningStats& p = profiled.stats;
    const double ns = profiled.seconds * 1e9;
    printFigure(base + "share.step_choice", ratio(double(p.nsStepChoice), ns), "fraction", work);
    printFigure(base + "share.running", ratio(double(p.nsRunning), ns), "fraction", work);
    printFigure(base + "share.events", ratio(double(p.nsEvents), ns), "fraction", work);
    printFigure(base + "share.costs", ratio(double(p.nsCosts), ns), "fraction", work);
    printFigure(base + "profiling_slowdown", ratio(profiled.seconds, plain.seconds), "x", work);
    return 0;
}

}  // namespace

int benchSim(std::span<const char* const> args) {
    ArgReader r("bench sim", args);
    int64_t pieces = -1, trains = -1, hours = 24, seed = 1, maxSeconds = 60;
    bool literal = false, quick = false;
    while (!r.done()) {
        std::string_view a = r.next();
        bool ok = true;
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--pieces") ok = r.intValue(a, kMinRailwayPieces, 300000, pieces);
        else if (a == "--trains") ok = r.intValue(a, 0, 1000, trains);
        else if (a == "--hours") ok = r.intValue(a, 1, 240, hours);
        else if (a == "--seed") ok = r.intValue(a, 0, INT64_MAX, seed);
        else if (a == "--max-seconds") ok = r.intValue(a, 0, 1000000, maxSeconds);
        else if (a == "--literal") literal = true;
        else if (a == "--quick") quick = true;
        else {
            r.error("unknown option '" + std::string(a) + "' (try --help)");
            return 2;
        }
        if (!ok) return 2;
    }
    std::vector<int64_t> sizes = quick ? std::vector<int64_t>{1000, 10000} : std::vector<int64_t>{1000, 10000, 100000};
    std::vector<int64_t> counts = quick ? std::vector<int64_t>{10, 100} : std::vector<int64_t>{10, 100, 1000};
    if (pieces >= 0) sizes = {pieces};
    if (trains >= 0) counts = {trains};
    int cases = 0;
    for (int64_t n : sizes) {
        for (int64_t t : counts) {
            const int32_t fit = maxRailwayTrains(int32_t(n));
            if (t > fit) {
                std::fprintf(stderr, "bench sim: skipped %lld pieces x %lld trains (at most %d fit)\n",
                             static_cast<long long>(n), static_cast<long long>(t), fit);
                continue;
            }
            if (const int rc = runCase(n, t, hours, seed, literal, double(maxSeconds)); rc != 0) return rc;
            ++cases;
        }
    }
    // Asking only for cases that do not fit is a failed run, not an empty one.
    return cases > 0 ? 0 : 1;
}

}  // namespace tetsuro::cli
