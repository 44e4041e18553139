#include "trains/station_names.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "support/shift_jis.h"
#include "support/sub.h"
#include "support/vel_jlib_text.h"
#include "trains/station_store.h"

namespace tetsuro::StationNames {

namespace {

constexpr std::array<std::u8string_view, 64> kPlaces{
    u8"坂戸", u8"桶川", u8"上尾", u8"蓮田", u8"久喜", u8"春日部", u8"野田", u8"つくば",
    u8"高麗川", u8"狭山", u8"川越", u8"大宮", u8"岩槻", u8"越谷", u8"三郷", u8"守谷",
    u8"飯能", u8"入間", u8"志木", u8"与野", u8"浦和", u8"草加", u8"八潮", u8"流山",
    u8"羽村", u8"所沢", u8"朝霞", u8"戸田", u8"川口", u8"竹ノ塚", u8"流山", u8"柏",
    u8"拝島", u8"村山", u8"練馬", u8"板橋", u8"赤羽", u8"千住", u8"松戸", u8"鎌ヶ谷",
    u8"立川", u8"国分寺", u8"三鷹", u8"中野", u8"池袋", u8"上野", u8"市川", u8"船橋",
    u8"日野", u8"府中", u8"調布", u8"代々木", u8"新宿", u8"日本橋", u8"亀戸", u8"葛西",
    u8"多摩", u8"稲城", u8"狛江", u8"世田谷", u8"渋谷", u8"品川", u8"木場", u8"浦安",
};

constexpr std::array<std::u8string_view, 8> kAffixes{
    u8"新", u8"上", u8"中", u8"下", u8"武蔵", u8"本町", u8"公園", u8"台",
};

// The first kAffixBefore affixes go before the place name, the rest after.
constexpr int32_t kAffixBefore = 5;

int32_t sector(int64_t m, int64_t extent) {
    if (extent <= 0) return 0;
    return static_cast<int32_t>(std::clamp<int64_t>(m * kSectors / extent, 0, kSectors - 1));
}

// The name as it would be stored, so that names cut at the field's end
// compare as the stored ones do.
std::vector<int8_t> asField(const J_String& name) {
    std::vector<int8_t> f(Station::kNameBytes, 0);
    VelJLib::toByteAryNull(f, 0, name, Station::kNameBytes);
    return f;
}

bool isTaken(const std::vector<int8_t>& field, int32_t self) {
    for (int32_t si = 0; si < Station::size(); ++si) {
        if (si == self || !Station::isValid(si)) continue;
        if (VelJLib::m_strncmp(field, 0, Station::m_sName, si * Station::kNameBytes, Station::kNameBytes) == 0) {
            return true;
        }
    }
    return false;
}

bool tryName(int32_t si, const J_String& name) {
    auto field = asField(name);
    if (isTaken(field, si)) return false;
    Station::setName(si, name);
    return true;
}

}  // namespace

int32_t sectorRow(int32_t my) { return sector(my, Sub::s_iMY); }
int32_t sectorColumn(int32_t mx) { return sector(mx, Sub::s_iMX); }

const J_String& placeName(int32_t index) { return SJ(kPlaces[static_cast<size_t>(std::clamp(index, 0, 63))]); }
const J_String& affix(int32_t index) { return SJ(kAffixes[static_cast<size_t>(std::clamp(index, 0, 7))]); }

const J_String& placeNameAt(int32_t my, int32_t mx) {
    return placeName((kSectors - 1 - sectorRow(my)) * kSectors + sectorColumn(mx));
}

void setNameAuto(int32_t si, int32_t my, int32_t mx) {
    if (!Station::isValid(si)) return;
    const J_String& place = placeNameAt(my, mx);

    J_String first = place;
    if (Station::isYard(si)) first += SJ(u8"操車場");
    if (tryName(si, first)) return;

    const int64_t MY = Sub::s_iMY, MX = Sub::s_iMX;
    const int64_t dy = my - sectorRow(my) * MY / kSectors - MY / 16;
    const int64_t dx = mx - sectorColumn(mx) * MX / kSectors - MX / 16;
    J_String dir;
    if (std::llabs(dy) > std::llabs(dx)) {
        dir = dy > 0 ? SJ(u8"北") : SJ(u8"南");
    } else {
        dir = dx > 0 ? SJ(u8"東") : SJ(u8"西");
    }
    dir += place;
    if (tryName(si, dir)) return;

    for (int32_t a : Sub::RND_getAry(8)) {
        J_String name;
        if (a < kAffixBefore) {
            name = affix(a);
            name += place;
        } else {
            name = place;
            name += affix(a);
        }
        if (tryName(si, name)) return;
    }

    // At most m_max stations exist, so one of the first m_max + 1 numbers is free.
    for (int32_t n = 1; n <= Station::m_max + 1; ++n) {
        J_String name = place;
        name += n;
        name += SJ(u8"丁目");
        if (tryName(si, name)) return;
    }
}

}  // namespace tetsuro::StationNames
