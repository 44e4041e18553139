#pragma once
// Land-type codes of the terrain grid (one signed byte per mesh) and the
// classifications over them. The codes are stored in save files: never
// renumber them.
#include <cstdint>

namespace tetsuro {

enum LandCode : int32_t {
    LAND_OUTSIDE = -1,       // what a read outside the map gives
    LAND_SEA = 0,
    LAND_RIVER = 1,
    LAND_OWNED = 2,          // bought by the player's company
    LAND_VACANT = 3,
    LAND_GRASS = 4,
    LAND_PADDY = 5,
    LAND_FOREST = 6,
    LAND_TRACK = 7,
    LAND_PLATFORM = 8,
    LAND_YARD = 9,
    LAND_DUG_TRACK = 10,
    LAND_ROAD_FIRST = 11,    // 11 + link mask; bit d4 = the road continues toward d4
    LAND_ROAD_LAST = 26,
    LAND_STATION_BUILDING = 27,
    LAND_HOUSE_FIRST = 28,   // grade 1..12 = code - 27
    LAND_HOUSE_LAST = 39,
    LAND_OFFICE_FIRST = 40,  // grade 1..12 = code - 39
    LAND_OFFICE_LAST = 51,
    LAND_TUNNEL_MOUTH = 52,
};

// Office points a station building brings to its block.
inline constexpr int32_t kStationBuildingPoints = 5;

namespace LandCodes {

constexpr bool isRoad(int32_t c) { return c >= LAND_ROAD_FIRST && c <= LAND_ROAD_LAST; }
// The road's link mask (0 for anything that is no road).
constexpr int32_t roadMask(int32_t c) { return isRoad(c) ? c - LAND_ROAD_FIRST : 0; }
// Three or four links.
constexpr bool isRoadCross(int32_t c) { return c == 18 || c == 22 || c == 24 || c == 25 || c == 26; }
// Two links at a right angle.
constexpr bool isRoadCurve(int32_t c) { return c == 14 || c == 17 || c == 20 || c == 23; }
// East-west (16) or north-south (21).
constexpr bool isRoadStraight(int32_t c) { return c == 16 || c == 21; }
constexpr bool isHouse(int32_t c) { return c >= LAND_HOUSE_FIRST && c <= LAND_HOUSE_LAST; }
constexpr bool isOffice(int32_t c) { return c >= LAND_OFFICE_FIRST && c <= LAND_OFFICE_LAST; }
// Railway property: track, platform and yard land and station buildings.
constexpr bool isTrain(int32_t c) {
    return c == LAND_TRACK || c == LAND_PLATFORM || c == LAND_YARD || c == LAND_STATION_BUILDING;
}
// Land the player cannot buy: the company's own land and railway property.
constexpr bool isCompanyLand(int32_t c) { return c == LAND_OWNED || isTrain(c); }

// The points a mesh of code c gives its city block: the grade of a house,
// the grade of an office, and 5 office points for a station building.
constexpr int32_t housePoints(int32_t c) { return isHouse(c) ? c - (LAND_HOUSE_FIRST - 1) : 0; }
constexpr int32_t officePoints(int32_t c) {
    if (isOffice(c)) return c - (LAND_OFFICE_FIRST - 1);
    return c == LAND_STATION_BUILDING ? kStationBuildingPoints : 0;
}

}  // namespace LandCodes
}  // namespace tetsuro
