#pragma once
// Geographic positions (latitude and longitude in 1e-7 degree) to real
// coordinates. One real unit (0.1 m) is 9e-7 degree of latitude; longitude
// shrinks with the cosine of the origin's latitude. The origin is the
// south-west corner of the first terrain file read; 0 means "not set yet".
#include <cmath>
#include <cstdint>
#include <numbers>

namespace tetsuro {

struct GeoOrigin {
    int32_t lat0 = 0;  // SDWA_GEO_LAT0
    int32_t lon0 = 0;  // SDWA_GEO_LON0

    bool isSet() const { return lat0 != 0; }
    double toRY(double lat) const { return (lat - lat0) / 9.0; }
    double toRX(double lon) const {
        return (lon - lon0) * std::cos(lat0 / 1e7 * std::numbers::pi / 180.0) / 9.0;
    }
    // The same in meshes of size ms.
    double toMY(double lat, int32_t ms) const { return toRY(lat) / ms; }
    double toMX(double lon, int32_t ms) const { return toRX(lon) / ms; }
};

}  // namespace tetsuro
