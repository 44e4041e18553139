#include "world/world_file.h"

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>
#include <set>

#include "game/slot_validator.h"
#include "game/slots.h"
#include "map/land_codes.h"
#include "rail/bunki.h"
#include "support/errors.h"
#include "support/vel_jlib_geometry.h"
#include "support/file_bytes.h"
#include "rail/heisoku.h"
#include "rail/rail_commands.h"
#include "rail/rail_store.h"
#include "trains/dia_clipboards.h"
#include "trains/dia_rules.h"
#include "trains/platform_store.h"
#include "trains/station_store.h"
#include "trains/train_spec.h"
#include "trains/train_store.h"
#include "world/headless_world.h"

namespace tetsuro {

namespace {

using nlohmann::json;

// Thrown inside the parser only, caught in parseWorldFile: carries the path
// of the element at fault.
struct ParseFault {
    std::string message;
};

[[noreturn]] void fail(const std::string& path, const std::string& why) { throw ParseFault{path + ": " + why}; }

const json& need(const json& o, const std::string& path, const char* key) {
    if (!o.is_object()) fail(path, "must be an object");
    auto it = o.find(key);
    if (it == o.end()) fail(path, std::string("missing field \"") + key + "\"");
    return *it;
}

int64_t intIn(const json& v, const std::string& path, int64_t lo, int64_t hi) {
    if (!v.is_number_integer()) fail(path, "must be an integer");
    // Unsigned values above INT64_MAX would wrap; they are out of range anyway.
    if (v.is_number_unsigned() && v.get<uint64_t>() > uint64_t(INT64_MAX)) fail(path, "out of range");
    const int64_t n = v.get<int64_t>();
    if (n < lo || n > hi)
        fail(path, std::to_string(n) + " is out of range " + std::to_string(lo) + ".." + std::to_string(hi));
    return n;
}

int64_t intField(const json& o, const std::string& path, const char* key, int64_t lo, int64_t hi) {
    return intIn(need(o, path, key), path + "." + key, lo, hi);
}

int64_t intOr(const json& o, const std::string& path, const char* key, int64_t lo, int64_t hi, int64_t def) {
    if (!o.contains(key)) return def;
    return intIn(o[key], path + "." + key, lo, hi);
}

bool boolOr(const json& o, const std::string& path, const char* key, bool def) {
    if (!o.contains(key)) return def;
    if (!o[key].is_boolean()) fail(path + "." + key, "must be true or false");
    return o[key].get<bool>();
}

const json& arrayField(const json& o, const std::string& path, const char* key) {
    const json& a = need(o, path, key);
    if (!a.is_array()) fail(path + "." + key, "must be an array");
    return a;
}

// Coordinates stay far inside int32 so products and sums cannot overflow.
constexpr int64_t kMaxCoord = 1'000'000'000;

WorldPoint point(const json& v, const std::string& path) {
    if (!v.is_array() || v.size() != 2) fail(path, "must be a point [y, x]");
    return WorldPoint{intIn(v[0], path + "[0]", 0, kMaxCoord), intIn(v[1], path + "[1]", 0, kMaxCoord)};
}

// "rules" (a whole day) or "rules_repeat" (a pattern repeated over the day).
template <class Decode>
void readRules(const json& o, const std::string& path, Decode decode, std::vector<int8_t>& rules, bool& repeat) {
    const bool whole = o.contains("rules"), pattern = o.contains("rules_repeat");
    if (whole && pattern) fail(path, "give \"rules\" or \"rules_repeat\", not both");
    if (!whole && !pattern) return;
    const char* key = whole ? "rules" : "rules_repeat";
    if (!o[key].is_string()) fail(path + "." + key, "must be a string");
    std::string err;
    if (!decode(o[key].get<std::string>(), rules, err)) fail(path + "." + key, err);
    if (rules.empty()) fail(path + "." + key, "is empty");
    repeat = pattern;
}

int32_t colour(const json& v, const std::string& path) {
    if (v.is_number_integer()) return int32_t(intIn(v, path, 0, 0xFFFFFF));
    if (!v.is_string()) fail(path, "must be \"#RRGGBB\" or an integer");
    const std::string s = v.get<std::string>();
    if (s.size() != 7 || s[0] != '#' ||
        !std::all_of(s.begin() + 1, s.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
        fail(path, "\"" + s + "\" is not \"#RRGGBB\"");
    return int32_t(std::stol(s.substr(1), nullptr, 16));
}

WorldSpec parseDescription(const json& j) {
    WorldSpec s;
    if (!j.is_object()) fail("world", "the file must hold a JSON object");
    const json& map = need(j, "world", "map");
    s.rows = int32_t(intField(map, "map", "rows", 1, 32767));
    s.columns = int32_t(intField(map, "map", "columns", 1, 32767));
    s.meshSize = int32_t(intOr(map, "map", "mesh_size", 1, 32767, 100));
    if (!isLegalMeshSize(s.meshSize)) fail("map.mesh_size", std::to_string(s.meshSize) + " is not a mesh size the game offers (400, 200, 100, 50, 25)");
    s.grid = int32_t(intOr(map, "map", "grid", 1, 32767, std::min(50, s.meshSize)));
    if (!isLegalGrid(s.grid)) fail("map.grid", std::to_string(s.grid) + " is not a grid size the game offers (50, 25, 10, 5, 1)");
    if (s.grid > s.meshSize) fail("map.grid", "must not exceed the mesh size");
    if (map.contains("flat_height") &&
        intIn(map["flat_height"], "map.flat_height", 0, 32767) != 80)
        fail("map.flat_height", "only the new-map height 80 can be built (no terrain tool yet)");
    if (map.contains("land")) {
        static const std::pair<const char*, int32_t> kLand[] = {
            {"sea", LAND_SEA}, {"vacant", LAND_VACANT}, {"grass", LAND_GRASS}, {"forest", LAND_FOREST}};
        const json& v = map["land"];
        auto it = std::find_if(std::begin(kLand), std::end(kLand),
                               [&](const auto& e) { return v.is_string() && v.get<std::string>() == e.first; });
        if (it == std::end(kLand)) fail("map.land", "must be \"vacant\", \"grass\", \"forest\" or \"sea\"");
        s.land = it->second;
    }
    if (map.contains("seed")) fail("map.seed", "generated terrain is not supported yet; leave the map flat");
    s.timeScale = int32_t(intOr(j, "world", "time_scale", 1, 6, 5));
    s.slotMinutes = int32_t(intOr(j, "world", "slot_minutes", 1, 1440, 10));
    if (!isLegalDiaUnit(s.slotMinutes)) fail("slot_minutes", std::to_string(s.slotMinutes) + " is not a slot length the game offers (30, 10, 1)");
    s.fund = intOr(j, "world", "fund", 0, int64_t(1) << 60, -1);

    if (j.contains("track")) {
        const json& a = arrayField(j, "world", "track");
        for (size_t i = 0; i < a.size(); ++i) {
            const std::string p = "track[" + std::to_string(i) + "]";
            WorldTrack t;
            t.type = int32_t(intOr(a[i], p, "type", -128, 127, 0));
            t.speed = int32_t(intField(a[i], p, "speed", -128, 127));
            t.z = int32_t(intOr(a[i], p, "z", 0, 32767, 0));
            const json& pts = arrayField(a[i], p, "points");
            if (pts.size() < 2) fail(p + ".points", "needs at least two points");
            for (size_t k = 0; k < pts.size(); ++k) t.points.push_back(point(pts[k], p + ".points[" + std::to_string(k) + "]"));
            s.track.push_back(std::move(t));
        }
    }
    if (j.contains("stations")) {
        const json& a = arrayField(j, "world", "stations");
        for (size_t i = 0; i < a.size(); ++i) {
            const std::string p = "stations[" + std::to_string(i) + "]";
            WorldStation st;
            st.yard = boolOr(a[i], p, "yard", false);
            const json& b = arrayField(a[i], p, "buildings");
            if (b.empty()) fail(p + ".buildings", "needs at least one building");
            for (size_t k = 0; k < b.size(); ++k)
                st.buildings.push_back(point(b[k], p + ".buildings[" + std::to_string(k) + "]"));
            if (a[i].contains("platforms")) {
                const json& f = arrayField(a[i], p, "platforms");
                for (size_t k = 0; k < f.size(); ++k) {
                    const std::string q = p + ".platforms[" + std::to_string(k) + "]";
                    WorldPlatform pf;
                    pf.yard = boolOr(f[k], q, "yard", st.yard);
                    pf.from = point(need(f[k], q, "from"), q + ".from");
                    pf.to = point(need(f[k], q, "to"), q + ".to");
                    readRules(f[k], q, decodePlatformRules, pf.rules, pf.repeat);
                    st.platforms.push_back(std::move(pf));
                }
            }
            s.stations.push_back(std::move(st));
        }
    }
    if (j.contains("switches")) {
        const json& a = arrayField(j, "world", "switches");
        for (size_t i = 0; i < a.size(); ++i) {
            const std::string p = "switches[" + std::to_string(i) + "]";
            WorldSwitch sw;
            sw.z = int32_t(intOr(a[i], p, "z", 0, 32767, 0));
            sw.at = point(need(a[i], p, "at"), p + ".at");
            readRules(a[i], p, decodeSwitchRules, sw.rules, sw.repeat);
            if (sw.rules.empty()) fail(p, "missing field \"rules\" or \"rules_repeat\"");
            s.switches.push_back(std::move(sw));
        }
    }
    if (j.contains("trains")) {
        const json& a = arrayField(j, "world", "trains");
        for (size_t i = 0; i < a.size(); ++i) {
            const std::string p = "trains[" + std::to_string(i) + "]";
            WorldTrain t;
            t.number = int32_t(intOr(a[i], p, "number", 0, 32767, int64_t(i)));
            t.type = int32_t(intField(a[i], p, "type", 0, 32767));
            t.cars = int32_t(intField(a[i], p, "cars", 1, 99));
            t.colour = a[i].contains("colour") ? colour(a[i]["colour"], p + ".colour") : 0x336699;
            t.at = point(need(a[i], p, "at"), p + ".at");
            t.facing = point(need(a[i], p, "facing"), p + ".facing");
            if (t.at.y == t.facing.y && t.at.x == t.facing.x) fail(p + ".facing", "must differ from \"at\"");
            s.trains.push_back(t);
        }
    }
    return s;
}

std::string pt(const WorldPoint& p) { return "(" + std::to_string(p.y) + ", " + std::to_string(p.x) + ")"; }

// The day of rules for `count` slots; false when the length does not fit.
bool expandRules(const std::vector<int8_t>& rules, bool repeat, int32_t count, std::vector<int8_t>& out,
                 std::string& error) {
    const size_t n = size_t(count);
    if (!repeat) {
        if (rules.size() != n) {
            error = "the rule string has " + std::to_string(rules.size()) + " slots, the day has " + std::to_string(n);
            return false;
        }
        out = rules;
        return true;
    }
    if (n % rules.size() != 0) {
        error = "the repeated pattern of " + std::to_string(rules.size()) + " slots does not divide the day's " +
                std::to_string(n);
        return false;
    }
    out.clear();
    for (size_t i = 0; i < n; ++i) out.push_back(rules[i % rules.size()]);
    return true;
}

bool afford(Finance& f, int64_t cost, const std::string& what, std::string& error) {
    if (f.checkCost(cost)) return true;
    error = what + ": the fund cannot pay " + std::to_string(cost);
    return false;
}

WorldSummary summarise(HeadlessWorld& w) {
    WorldSummary s;
    s.pieces = Rail::count();
    s.sections = Heisoku::count();
    s.switches = Bunki::count();
    s.stations = Station::count();
    s.platforms = Form::count();
    for (int32_t ti = 0; ti < Train::size(); ++ti)
        if (Train::isValid(ti) && Train::isPlaced(ti)) ++s.trainsPlaced;
    s.fund = w.canvas().slots().m_la[LA_FUND];
    return s;
}

}  // namespace

bool decodePlatformRules(std::string_view text, std::vector<int8_t>& out, std::string& error) {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '|') continue;
        if (c >= '0' && c <= '4') out.push_back(int8_t(c - '0'));
        else if (c >= 'A' && c <= 'E') out.push_back(int8_t((c - 'A') | Dia::kDepartureMark));
        else {
            error = std::string("character '") + c + "' at " + std::to_string(i) +
                    " is not a platform rule (0-4, or A-E for the same with the departure mark)";
            return false;
        }
    }
    Dia::sanitizePlatformRules(out);
    return true;
}

bool decodeSwitchRules(std::string_view text, std::vector<int8_t>& out, std::string& error) {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '|') continue;
        if (c == '0' || c == '1') out.push_back(int8_t(c - '0'));
        else {
            error = std::string("character '") + c + "' at " + std::to_string(i) +
                    " is not a switch rule (0 straight, 1 curve)";
            return false;
        }
    }
    Dia::sanitizeSwitchRules(out);
    return true;
}

WorldParseResult parseWorldFile(std::string_view text) {
    WorldParseResult r;
    json j = json::parse(text.begin(), text.end(), nullptr, false);
    if (j.is_discarded()) {
        // Parse again with exceptions only to learn where it broke.
        try {
            const json again = json::parse(text.begin(), text.end());
            (void)again;
            r.error = "not valid JSON";
        } catch (const json::parse_error& e) {
            r.error = std::string("not valid JSON: ") + e.what();
        }
        return r;
    }
    try {
        r.desc = parseDescription(j);
        r.ok = true;
    } catch (const ParseFault& f) {
        r.error = f.message;
    }
    return r;
}

WorldBuildResult buildWorld(HeadlessWorld& w, const WorldSpec& s) {
    WorldBuildResult r;
    auto bad = [&](std::string e) {
        r.error = std::move(e);
        r.summary = summarise(w);
        return r;
    };
    World& world = w.world();
    MainCanvas& canvas = w.canvas();
    // The first start boots the canvas; the sizes and the slot length are
    // then set as the settings screen would, and the second start builds
    // the stores and the map with them.
    if (!w.startFreeGame(s.rows, s.columns)) return bad("map: the game could not start");
    if (!world.map().setMeshSize(s.meshSize)) return bad("map.mesh_size: refused");
    if (!world.map().setGridSize(s.grid)) return bad("map.grid: refused");
    canvas.setDiaUnit(s.slotMinutes);
    if (!w.startFreeGame(s.rows, s.columns))
        return bad("map: a " + std::to_string(s.rows) + " x " + std::to_string(s.columns) + " map could not be made");
    // A flat map: the map editor's fill, all of one land.
    world.map().setMapTypAll(s.land);
    auto& slots = canvas.slots();
    slots.m_sba[SBA_TIME_SCALE] = int8_t(s.timeScale);
    slots.m_sba[SBA_GAME_SPEED] = int8_t(std::max<int>(slots.m_sba[SBA_GAME_SPEED], minGameSpeed(s.timeScale)));
    canvas.initTimeScale();
    canvas.setMeshSize(s.meshSize);  // Sub::init again, now with the time scale
    world.trains().syncTimeScale();
    if (s.fund >= 0) world.finance().setFund(s.fund);

    for (size_t i = 0; i < s.track.size(); ++i) {
        const WorldTrack& t = s.track[i];
        for (size_t k = 0; k + 1 < t.points.size(); ++k) {
            const WorldPoint &a = t.points[k], &b = t.points[k + 1];
            const RailPoint f{t.z, int32_t(a.y), int32_t(a.x)}, to{t.z, int32_t(b.y), int32_t(b.x)};
            const std::string q = "track[" + std::to_string(i) + "] segment " + std::to_string(k) + " " + pt(a) + "-" + pt(b);
            // The reasons the rail core refuses a piece, spelt out.
            if (t.type < 0 || t.type > 3) return bad(q + ": track type " + std::to_string(t.type) + " is not 0..3");
            if (t.speed < kMinSpeedClass || t.speed > kMaxSpeedClass)
                return bad(q + ": speed class " + std::to_string(t.speed) + " is not " + std::to_string(kMinSpeedClass) +
                           ".." + std::to_string(kMaxSpeedClass));
            const int64_t ymax = int64_t(s.rows) * s.meshSize, xmax = int64_t(s.columns) * s.meshSize;
            if (a.y > ymax || b.y > ymax || a.x > xmax || b.x > xmax)
                return bad(q + ": off the map (" + std::to_string(ymax) + " x " + std::to_string(xmax) + ")");
            if (VelJLib::getLength(f.z, f.y, f.x, to.z, to.y, to.x) > kMaxPieceLength)
                return bad(q + ": longer than a piece may be (" + std::to_string(kMaxPieceLength) + "); add a point between");
            if (RailCommands::layPiece(t.type, t.speed, f, to) < 0)
                return bad("track[" + std::to_string(i) + "] segment " + std::to_string(k) + " " + pt(a) + "-" + pt(b) +
                           ": the piece could not be laid");
        }
    }

    StationController& sc = world.stations();
    Finance& fin = world.finance();
    for (size_t i = 0; i < s.stations.size(); ++i) {
        const WorldStation& st = s.stations[i];
        const std::string p = "stations[" + std::to_string(i) + "]";
        int32_t si = -1;
        for (size_t k = 0; k < st.buildings.size(); ++k) {
            const WorldPoint& m = st.buildings[k];
            const std::string q = p + ".buildings[" + std::to_string(k) + "] at mesh " + pt(m);
            if (m.y >= s.rows || m.x >= s.columns) return bad(q + ": off the map");
            const int64_t cost = sc.stationCost(int32_t(m.y), int32_t(m.x));
            if (cost < 0) return bad(q + ": no station building can go on that land");
            std::string err;
            if (!afford(fin, cost, q, err)) return bad(err);
            const int32_t before = Station::count();
            const int32_t got = sc.constructStation(st.yard, int32_t(m.y), int32_t(m.x), si);
            if (got < 0) return bad(q + ": the building was refused");
            // A first building next to another station would silently join it.
            if (si < 0 && Station::count() == before) return bad(q + ": it joins a station built earlier in the file");
            si = got;
        }
        for (size_t k = 0; k < st.platforms.size(); ++k) {
            const WorldPlatform& pf = st.platforms[k];
            const std::string q = p + ".platforms[" + std::to_string(k) + "] " + pt(pf.from) + "-" + pt(pf.to);
            const int32_t fz = RailCommands::trackHeightAt(pf.from.y, pf.from.x);
            const int32_t tz = RailCommands::trackHeightAt(pf.to.y, pf.to.x);
            if (fz < 0 || tz < 0) return bad(q + ": " + (fz < 0 ? "from" : "to") + " is not on laid track");
            const RailPoint f{fz, int32_t(pf.from.y), int32_t(pf.from.x)}, t{tz, int32_t(pf.to.y), int32_t(pf.to.x)};
            const int64_t cost = sc.foBuildCost(pf.yard, f, t);
            if (cost < 0) return bad(q + ": refused (both ends must lie on one straight stretch of track, clear of other platforms)");
            std::string err;
            if (!afford(fin, cost, q, err)) return bad(err);
            const int32_t fb = sc.constructFoBuild(pf.yard, f, t, si, -1);
            if (fb < 0) return bad(q + ": refused");
            const int32_t fi = FoBuild::m_fo[size_t(fb)];
            if (!pf.rules.empty()) {
                std::vector<int8_t> day;
                if (!expandRules(pf.rules, pf.repeat, Form::diaCount(), day, err)) return bad(q + ": " + err);
                if (!Form::pasteDia(fi, day)) return bad(q + ": the rules were refused");
            }
        }
    }

    for (size_t i = 0; i < s.switches.size(); ++i) {
        const WorldSwitch& sw = s.switches[i];
        const std::string q = "switches[" + std::to_string(i) + "] at " + pt(sw.at);
        const int32_t n = Bunki::searchIndex(sw.z, sw.at.y, sw.at.x);
        if (n < 0) return bad(q + ": no switch stands there");
        std::vector<int8_t> day;
        std::string err;
        if (!expandRules(sw.rules, sw.repeat, Bunki::diaCount(), day, err)) return bad(q + ": " + err);
        if (!Bunki::pasteDia(n, day)) return bad(q + ": the rules were refused");
    }

    TrainController& tc = world.trains();
    for (size_t i = 0; i < s.trains.size(); ++i) {
        const WorldTrain& t = s.trains[i];
        const std::string q = "trains[" + std::to_string(i) + "] (number " + std::to_string(t.number) + ")";
        if (t.type >= TrainSpec::size())
            return bad(q + ": unknown train type " + std::to_string(t.type) + " (the catalogue has " +
                       std::to_string(TrainSpec::size()) + ")");
        std::string err;
        if (!afford(fin, TrainController::price(t.type, t.cars), q, err)) return bad(err);
        if (tc.buy(t.number, t.type, t.cars, t.colour) < 0)
            return bad(q + ": the purchase was refused (is the train number taken?)");
        const int32_t z = RailCommands::trackHeightAt(t.at.y, t.at.x);
        if (z < 0) return bad(q + ": " + pt(t.at) + " is not on laid track");
        if (!afford(fin, TrainController::kPlacingFee, q, err)) return bad(err);
        if (!tc.place(t.number, z, t.at.y, t.at.x, t.facing.y - t.at.y, t.facing.x - t.at.x))
            return bad(q + ": it cannot be placed at " + pt(t.at) + " facing " + pt(t.facing) +
                       " (the train is centred on the point and must lie whole on that piece, heading for the facing point)");
    }

    r.ok = true;
    r.summary = summarise(w);
    return r;
}

WorldBuildResult buildWorldFromText(HeadlessWorld& w, std::string_view json) {
    WorldParseResult p = parseWorldFile(json);
    if (!p.ok) {
        WorldBuildResult r;
        r.error = p.error;
        return r;
    }
    return buildWorld(w, p.desc);
}

WorldParseResult parseWorldFileAt(const std::string& path) {
    std::vector<int8_t> bytes;
    try {
        bytes = VelJLib::readFileBytes(path);
    } catch (const IOException& e) {
        WorldParseResult r;
        r.error = "cannot be read: " + std::string(e.what());
        return r;
    }
    return parseWorldFile(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

WorldBuildResult buildWorldFromFile(HeadlessWorld& w, const std::string& path) {
    WorldParseResult p = parseWorldFileAt(path);
    if (!p.ok) {
        WorldBuildResult r;
        r.error = p.error;
        return r;
    }
    return buildWorld(w, p.desc);
}

}  // namespace tetsuro
