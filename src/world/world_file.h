#pragma once
// World files: a whole starting game described in JSON (map, track,
// stations, platforms, timetable rules, trains, fund) and the builder that
// lays it out through the player's own operations, so a file can never
// produce a world the game itself could not have built. The format is
// written down in docs/world-files.md.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tetsuro {

class HeadlessWorld;

// A plan point in dm, (y, x) like everywhere in the game.
struct WorldPoint {
    int64_t y = 0;
    int64_t x = 0;
};

struct WorldTrack {
    int32_t type = 0;
    int32_t speed = 0;
    int32_t z = 0;  // height above ground of every point
    std::vector<WorldPoint> points;
};

struct WorldPlatform {
    bool yard = false;
    WorldPoint from, to;
    std::vector<int8_t> rules;  // empty: the game's default rules
    bool repeat = false;        // rules is a pattern repeated over the day
};

struct WorldStation {
    bool yard = false;
    std::vector<WorldPoint> buildings;  // meshes (my, mx)
    std::vector<WorldPlatform> platforms;
};

struct WorldSwitch {
    int32_t z = 0;
    WorldPoint at;
    std::vector<int8_t> rules;
    bool repeat = false;
};

struct WorldTrain {
    int32_t number = 0;
    int32_t type = 0;
    int32_t cars = 1;
    int32_t colour = 0;
    WorldPoint at, facing;
};

struct WorldSpec {
    int32_t rows = 256, columns = 256;
    int32_t meshSize = 100;
    int32_t grid = 50;
    int32_t land = 3;  // the land code the whole flat map starts as (vacant)
    int32_t timeScale = 5;
    int32_t slotMinutes = 10;
    int64_t fund = -1;  // -1: the free game's starting funds
    std::vector<WorldTrack> track;
    std::vector<WorldStation> stations;
    std::vector<WorldSwitch> switches;
    std::vector<WorldTrain> trains;
};

// What was built, counted from the stores once the file was applied.
struct WorldSummary {
    int32_t pieces = 0;
    int32_t sections = 0;
    int32_t switches = 0;
    int32_t stations = 0;
    int32_t platforms = 0;
    int32_t trainsPlaced = 0;
    int64_t fund = 0;
};

// ok, or the first element that failed and why ("stations[1].platforms[0]:
// ..."). On failure the world may hold what was built before that element.
struct WorldBuildResult {
    bool ok = false;
    std::string error;
    WorldSummary summary;
};

struct WorldParseResult {
    bool ok = false;
    std::string error;
    WorldSpec desc;
};

// Parses and checks the file's shape and ranges; rule strings are decoded
// here but checked against the day length by the builder.
WorldParseResult parseWorldFile(std::string_view json);
// Starts a free game on w and applies desc element by element.
WorldBuildResult buildWorld(HeadlessWorld& w, const WorldSpec& desc);
// Both, from the text of a file.
WorldBuildResult buildWorldFromText(HeadlessWorld& w, std::string_view json);

// Reads and parses a file on disk (an unreadable file is an error).
WorldParseResult parseWorldFileAt(const std::string& path);
// The same from a file on disk; a file that cannot be read is an error too.
WorldBuildResult buildWorldFromFile(HeadlessWorld& w, const std::string& path);

// Rule strings: one character per slot of the day. Platforms: '0'..'4' the
// stop code, 'A'..'E' the same codes with the departure mark. Switches: '0'
// straight, '1' curve. Spaces and '|' are ignored. False with a message for
// any other character.
bool decodePlatformRules(std::string_view text, std::vector<int8_t>& out, std::string& error);
bool decodeSwitchRules(std::string_view text, std::vector<int8_t>& out, std::string& error);

}  // namespace tetsuro
