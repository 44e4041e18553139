// tetsuro-cli simulate: run a game headless for a number of game hours.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <system_error>

#include "cli_args.h"
#include "cli_output.h"
#include "commands.h"
#include "game/game_clock.h"
#include "game/headless_game.h"
#include "game/slot_validator.h"
#include "trains/train_queries.h"
#include "trains/train_store.h"
#include "world/event_log.h"
#include "world/headless_world.h"
#include "world/world_file.h"

namespace tetsuro::cli {

namespace {

const char kUsage[] =
    "Usage: tetsuro-cli simulate --hours N [--speed S] [--time-scale K] [--fps F] [--seed S] [--map RxC]\n"
    "                            [--world FILE.json [--events FILE.jsonl]] [--report FILE.json]\n"
    "\n"
    "Starts a blank free game in play and runs it headless for N game hours on a\n"
    "virtual clock, then prints the clock, the date, the cash and a checksum of\n"
    "the game state; the books (day, month and term accounts, tax due) close as\n"
    "the calendar passes. The same options always give the same result, whatever\n"
    "the frame rate.\n"
    "\n"
    "  --hours N        game hours to run (1..1000000)\n"
    "  --speed S        game speed exponent, max(K-4,-1)..22 (default: K)\n"
    "  --time-scale K   time scale 1..6 for 1/1..1/32 (default 5)\n"
    "  --fps F          frame rate 15, 30 or 60 (default 60)\n"
    "  --seed S         seed of the game's random source (default 1)\n"
    "  --map RxC        size of the blank free-game map in meshes (default 256x256)\n"
    "  --world FILE     start from a world file (docs/world-files.md) instead of\n"
    "                   the blank map; its time scale wins over --time-scale,\n"
    "                   and --map is not allowed with it\n"
    "  --events FILE    with --world: write every arrival, departure and train\n"
    "                   taken off the track as JSON Lines (docs/world-files.md);\n"
    "                   the file appears only when the run succeeds\n"
    "  --report FILE    also write the result as JSON\n";

std::string formatDate(int64_t clock) {
    GameDateTime t = clockToDateTime(clock);
    char buf[96];
    std::snprintf(buf, sizeof buf, "%04lld-%02d-%02d %02d:%02d:%02d.%03d (year %lld)", (long long)t.year,
                  t.month + 1, t.day, t.hour, t.minute, t.second, t.millisecond, (long long)t.gameYear());
    return buf;
}

// The books as the fund window and the year-end panels hold them.
nlohmann::json financeReport(const GameSlots& s, int capitalState) {
    const auto& la = s.m_la;
    const auto& c = s.m_sdwa;
    auto period = [&](int base) {
        return nlohmann::json{{"day", c[size_t(base)]},           {"month", c[size_t(base + 1)]},
                              {"year", c[size_t(base + 2)]},      {"prev_day", c[size_t(base + 3)]},
                              {"prev_month", c[size_t(base + 4)]}, {"prev_year", c[size_t(base + 5)]}};
    };
    return nlohmann::json{
        {"fund", la[LA_FUND]},
        {"assets", {{"train", la[LA_ASSET_TRAIN]},
                    {"station", la[LA_ASSET_STATION_M]},
                    {"land", la[LA_ASSET_LAND_M]},
                    {"track", la[LA_ASSET_TRACK_M]}}},
        {"gain", la[LA_GAIN]},
        {"loss", la[LA_LOSS]},
        {"tax_due", la[LA_TAX_DUE]},
        {"loss_carried", la[LA_LOSS_CARRIED]},
        {"capital_state", capitalState},
        {"income", period(SDWA_INCOME_DAY)},
        {"expense", period(SDWA_EXPENSE_DAY)},
    };
}

// Every bought train by number, where it stands and what the log saw of it.
nlohmann::json trainsReport(const EventLog& log) {
    std::map<int32_t, int32_t> byNumber;
    for (int32_t ti = 0; ti < Train::size(); ++ti)
        if (Train::isValid(ti)) byNumber[Train::m_n[size_t(ti)]] = ti;
    nlohmann::json a = nlohmann::json::array();
    for (const auto& [number, ti] : byNumber) {
        const size_t i = size_t(ti);
        const bool placed = Train::isPlaced(ti);
        const TrainEventCounts c = log.countsOf(number);
        nlohmann::json t{{"number", number},
                         {"name", Train::getName(ti).toUtf8()},
                         {"type", Train::m_Typ[i]},
                         {"cars", Train::carCount(ti)},
                         {"placed", placed},
                         {"arrivals", c.arrivals},
                         {"departures", c.departures},
                         {"taken_off", c.takenOff}};
        if (placed) {
            t["head_rail"] = Train::getRI(ti, 0);
            t["speed"] = Train::m_SP[i];
            t["phase"] = Train::m_ac[i];
        }
        a.push_back(std::move(t));
    }
    return a;
}

// Two spellings of one file ("out.json", "./out.json", a link to it).
bool samePath(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code e;
    auto full = [&e](const std::string& p) { return fs::weakly_canonical(fs::absolute(p, e), e); };
    const fs::path ca = full(a), cb = full(b);
    return e ? a == b : ca == cb;
}

int runSimulate(std::span<const char* const> args) {
    ArgReader r("simulate", args);
    int64_t hours = -1, speed = -100, timeScale = 5, fps = 60, seed = 1, mapRows = 256, mapCols = 256;
    std::string report, worldFile, eventsFile;
    bool mapGiven = false, timeScaleGiven = false;
    while (!r.done()) {
        std::string_view a = r.next();
        bool ok = true;
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--hours") ok = r.intValue(a, 1, 1000000, hours);
        else if (a == "--speed") ok = r.intValue(a, -1, 22, speed);
        else if (a == "--time-scale") ok = r.intValue(a, 1, 6, timeScale), timeScaleGiven = true;
        else if (a == "--world") ok = r.value(a, worldFile);
        else if (a == "--fps") ok = r.intValue(a, 15, 60, fps);
        else if (a == "--seed") ok = r.intValue(a, INT32_MIN, INT32_MAX, seed);
        else if (a == "--report") ok = r.value(a, report);
        else if (a == "--events") ok = r.value(a, eventsFile);
        else if (a == "--map") {
            std::string v;
            ok = r.value(a, v);
            const size_t x = v.find('x');
            auto rows = x == std::string::npos ? std::nullopt : parseInt64(std::string_view(v).substr(0, x));
            auto cols = x == std::string::npos ? std::nullopt : parseInt64(std::string_view(v).substr(x + 1));
            if (ok && (!rows || !cols || *rows < 1 || *cols < 1 || *rows > 32767 || *cols > 32767)) {
                r.error("--map '" + v + "' is not ROWSxCOLUMNS with sides 1..32767");
                return 2;
            }
            if (ok) mapRows = *rows, mapCols = *cols, mapGiven = true;
        }
        else {
            r.error("unknown option '" + std::string(a) + "' (try --help)");
            return 2;
        }
        if (!ok) return 2;
    }
    if (hours < 0) {
        r.error("--hours is required (try --help)");
        return 2;
    }
    if (!worldFile.empty() && (mapGiven || timeScaleGiven)) {
        r.error("--map and --time-scale come from the world file with --world");
        return 2;
    }
    if (!eventsFile.empty() && worldFile.empty()) {
        r.error("--events needs --world (a blank map has no trains)");
        return 2;
    }
    if (!eventsFile.empty() && !report.empty() && samePath(eventsFile, report)) {
        r.error("--events and --report name the same file");
        return 2;
    }
    // The world file's time scale decides the lowest speed.
    WorldSpec desc;
    if (!worldFile.empty()) {
        const WorldParseResult parsed = parseWorldFileAt(worldFile);
        if (!parsed.ok) {
            std::fprintf(stderr, "tetsuro-cli simulate: %s: %s\n", worldFile.c_str(), parsed.error.c_str());
            return 1;
        }
        desc = parsed.desc;
        timeScale = desc.timeScale;
    }
    if (!isLegalFps(int(fps))) {
        r.error("--fps must be 15, 30 or 60");
        return 2;
    }
    if (speed == -100) speed = timeScale;
    if (speed < minGameSpeed(int(timeScale))) {
        r.error("--speed " + std::to_string(speed) + " is below the lowest speed " +
                std::to_string(minGameSpeed(int(timeScale))) + " of time scale " + std::to_string(timeScale));
        return 2;
    }

    // Opened before the run so that a file that cannot be written costs no
    // simulation; it replaces the target only once the run has succeeded.
    std::unique_ptr<EventFile> events;
    if (!eventsFile.empty()) {
        events = std::make_unique<EventFile>(eventsFile);
        if (!events->ok()) {
            std::fprintf(stderr, "tetsuro-cli simulate: cannot write the events file: %s\n", events->error().c_str());
            return 1;
        }
    }
    // The log outlives the world, which points at it while the game runs.
    EventLog log;
    if (events) log.setSink([&events](const RunEvent& e) { events->write(e); });

    HeadlessGameOptions opt;
    opt.fps = int(fps);
    opt.speed = int(speed);
    opt.seed = int32_t(seed);
    HeadlessWorld world(opt);
    HeadlessGame& game = world.game();
    if (!worldFile.empty()) {
        const WorldBuildResult built = buildWorld(world, desc);
        if (!built.ok) {
            std::fprintf(stderr, "tetsuro-cli simulate: %s: %s\n", worldFile.c_str(), built.error.c_str());
            return 1;
        }
        game.canvas().slots().m_sba[SBA_GAME_SPEED] = int8_t(speed);
    } else {
        if (!world.startFreeGame(int(mapRows), int(mapCols))) {
            std::fprintf(stderr, "tetsuro-cli simulate: the game did not start (map %lldx%lld)\n", (long long)mapRows,
                         (long long)mapCols);
            return 1;
        }
        game.canvas().slots().m_sba[SBA_TIME_SCALE] = int8_t(timeScale);
        game.canvas().slots().m_sba[SBA_GAME_SPEED] = int8_t(speed);
        game.canvas().initTimeScale();
    }

    TrainRunner& runner = world.world().runner();
    log.setInner(&runner.hooks());
    runner.setHooks(&log);

    const int64_t start = game.canvas().clock();
    const int64_t ticks = hours * kTicksPerHour;
    // Ticks per frame step at this speed, at least a quarter tick; plenty of
    // room for the hour pieces and the paint handshake.
    const int64_t perFrame4 = (60 / fps) * (speed >= 1 ? (int64_t(4) << (speed - 1)) : (speed == 0 ? 2 : 1));
    const int64_t maxSteps = (ticks * 4 / perFrame4 + 1) * 3 + 1000;

    const auto wallStart = std::chrono::steady_clock::now();
    auto lastProgress = wallStart;
    bool ok = true;
    // Run in slices so a long run shows progress about once a second.
    const int64_t slice = kTicksPerHour;
    for (int64_t done = 0; done < ticks && ok;) {
        const int64_t n = std::min(slice, ticks - done);
        ok = game.runTicks(n, maxSteps);
        done += n;
        if (events && !events->ok()) {
            std::fprintf(stderr, "tetsuro-cli simulate: cannot write the events file: %s\n", events->error().c_str());
            return 1;
        }
        auto now = std::chrono::steady_clock::now();
        if (now - lastProgress > std::chrono::seconds(1)) {
            lastProgress = now;
            std::fprintf(stderr, "simulate: %lld / %lld hours\r", (long long)(done / kTicksPerHour), (long long)hours);
        }
    }
    if (!ok) {
        std::fprintf(stderr, "tetsuro-cli simulate: the clock stopped at %lld before reaching %lld\n",
                     (long long)game.canvas().clock(), (long long)(start + ticks));
        return 1;
    }
    const double wallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallStart).count();
    const int64_t clock = game.canvas().clock();
    const uint64_t sum = world.checksum();
    char hex[20];
    std::snprintf(hex, sizeof hex, "%016llx", (unsigned long long)sum);
    std::printf("clock    %lld\n", (long long)clock);
    std::printf("date     %s\n", formatDate(clock).c_str());
    const auto& la = game.canvas().slots().m_la;
    std::printf("fund     %lld\n", (long long)la[LA_FUND]);
    std::printf("checksum %s\n", hex);
    std::printf("steps    %lld frame steps, %.1f ms wall time\n", (long long)game.driver().steps(), wallMs);
    if (events) {
        if (!events->commit()) {
            std::fprintf(stderr, "tetsuro-cli simulate: cannot write the events file: %s\n", events->error().c_str());
            return 1;
        }
        std::printf("events   %lld written to %s\n", (long long)events->lines(), eventsFile.c_str());
    }

    if (!report.empty()) {
        nlohmann::json j;
        j["hours"] = hours;
        j["speed"] = speed;
        j["time_scale"] = timeScale;
        j["fps"] = fps;
        j["seed"] = seed;
        if (!worldFile.empty()) j["world"] = worldFile;
        j["start_clock"] = start;
        j["clock"] = clock;
        j["date"] = formatDate(clock);
        j["checksum"] = hex;
        j["frame_steps"] = game.driver().steps();
        j["finance"] = financeReport(game.canvas().slots(), game.canvas().m_iCapitalState);
        j["trains"] = trainsReport(log);
        std::string err;
        // Names come from Shift-JIS; a byte the decoder could not map must not
        // cost the report.
        const std::string text = j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
        if (!writeTextFile(report, text, err)) {
            std::fprintf(stderr, "tetsuro-cli simulate: cannot write %s: %s\n", report.c_str(), err.c_str());
            return 1;
        }
    }
    return 0;
}

}  // namespace

extern const Command kSimulateCommand;
const Command kSimulateCommand{"simulate", "run a game headless for a number of game hours", runSimulate};

}  // namespace tetsuro::cli
