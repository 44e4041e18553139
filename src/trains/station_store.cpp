#include "trains/station_store.h"

#include <algorithm>
#include <cstdlib>

#include "rail/slot_pool.h"
#include "support/shift_jis.h"
#include "support/sub.h"
#include "support/vel_jlib_array.h"
#include "support/vel_jlib_text.h"
#include "trains/platform_store.h"
#include "trains/station_building.h"
#include "trains/station_names.h"

namespace tetsuro::Station {

namespace {

SlotPool g_pool;
// UTF-16 names, built on first use and dropped when a name changes.
std::vector<std::u16string> g_nameCA;
std::vector<int8_t> g_nameCAValid;

void grow(int32_t n) {
    const size_t s = static_cast<size_t>(n);
    if (m_y.size() >= s) return;
    m_y.resize(s, -1);
    m_x.resize(s, -1);
    m_PDH.resize(s, 0);
    m_PDO.resize(s, 0);
    m_PLM.resize(s, 0);
    m_PTM.resize(s, 0);
    m_sName.resize(s * kNameBytes, 0);
}

void dropNameCA(int32_t si) {
    if (static_cast<size_t>(si) < g_nameCAValid.size()) g_nameCAValid[si] = 0;
}

bool insideMap(int32_t my, int32_t mx) { return my >= 0 && mx >= 0 && my < Sub::s_iMY && mx < Sub::s_iMX; }

}  // namespace

int32_t size() { return static_cast<int32_t>(m_y.size()); }
int32_t count() { return g_pool.count(); }
bool isValid(int32_t si) { return si >= 0 && si < size() && m_y[si] != -1; }

int32_t add(bool yard, int32_t my, int32_t mx) {
    if (!insideMap(my, mx)) return -1;
    for (int32_t si = 0; si < size(); ++si) {
        if (isValid(si) && m_y[si] == my && m_x[si] == mx) return si;
    }
    const int32_t si = g_pool.acquire(m_max);
    if (si < 0) return -1;
    grow(g_pool.size());
    m_y[si] = static_cast<int16_t>(my);
    m_x[si] = static_cast<int16_t>(mx);
    m_PLM[si] = yard ? -1 : 0;
    m_PTM[si] = 0;
    m_PDH[si] = yard ? 0 : 100;
    m_PDO[si] = 0;
    std::fill_n(m_sName.begin() + static_cast<ptrdiff_t>(si) * kNameBytes, kNameBytes, int8_t{0});
    dropNameCA(si);
    StationNames::setNameAuto(si, my, mx);
    return si;
}

void remove(int32_t si) {
    if (!isValid(si)) return;
    m_y[si] = -1;
    m_x[si] = -1;
    auto it = m_sName.begin() + static_cast<ptrdiff_t>(si) * kNameBytes;
    std::fill_n(it, kNameBytes, int8_t{0});
    *it = ' ';
    dropNameCA(si);
    g_pool.release(si);
}

bool isYard(int32_t si) { return isValid(si) && m_PLM[si] < 0; }
bool isYard_fi(int32_t fi) { return Form::isYard(fi); }

int32_t countNoYard() {
    int32_t n = 0;
    for (int32_t si = 0; si < size(); ++si) n += isValid(si) && !isYard(si) ? 1 : 0;
    return n;
}

int32_t countYard() {
    int32_t n = 0;
    for (int32_t si = 0; si < size(); ++si) n += isYard(si) ? 1 : 0;
    return n;
}

std::vector<int8_t> nameField(int32_t si) {
    if (si < 0 || si >= size()) return std::vector<int8_t>(kNameBytes, 0);
    auto it = m_sName.begin() + static_cast<ptrdiff_t>(si) * kNameBytes;
    return std::vector<int8_t>(it, it + kNameBytes);
}

J_String getName(int32_t si) {
    if (!isValid(si)) return J_String("----");
    auto f = nameField(si);
    const int n = VelJLib::m_strlen(f, 0, kNameBytes);
    return J_String(std::span<const int8_t>(f), 0, n);
}

const std::u16string& getNameCA(int32_t si) {
    static const std::u16string kFree = u"----";
    if (!isValid(si)) return kFree;
    if (g_nameCA.size() < m_y.size()) {
        g_nameCA.resize(m_y.size());
        g_nameCAValid.resize(m_y.size(), 0);
    }
    if (!g_nameCAValid[si]) {
        g_nameCA[si] = getName(si).toCharArray();
        g_nameCAValid[si] = 1;
    }
    return g_nameCA[si];
}

J_String getName_Form(int32_t fi) { return getName(Form::getSt(fi)); }

void setName(int32_t si, const J_String& name) {
    if (si < 0 || si >= size()) return;
    std::vector<int8_t> f(kNameBytes, 0);
    VelJLib::toByteAryNull(f, 0, name, kNameBytes);
    std::copy(f.begin(), f.end(), m_sName.begin() + static_cast<ptrdiff_t>(si) * kNameBytes);
    dropNameCA(si);
}

std::array<int32_t, 2> getRYX(int32_t si) {
    if (!isValid(si)) return {-1, -1};
    const int32_t ms = Sub::m_iMS;
    return {m_y[si] * ms + ms / 2, m_x[si] * ms + ms / 2};
}

int64_t getRYXq(int32_t si) {
    auto p = getRYX(si);
    return VelJLib::toLong(p[1], p[0]);
}

std::vector<int32_t> buildings(int32_t si) {
    std::vector<int32_t> v;
    if (!isValid(si)) return v;
    for (int32_t sb = 0; sb < StBuild::size(); ++sb) {
        if (StBuild::obj[sb].m_st == si) v.push_back(sb);
    }
    return v;
}

std::vector<int32_t> forms(int32_t si) {
    std::vector<int32_t> v;
    if (!isValid(si)) return v;
    for (int32_t fi = 0; fi < Form::size(); ++fi) {
        if (Form::m_st[fi] == si) v.push_back(fi);
    }
    return v;
}

int64_t getValue(int32_t si, int64_t ym) {
    int64_t v = 0;
    for (int32_t sb : buildings(si)) v += StBuild::getValue(sb, ym);
    for (int32_t fi : forms(si)) v += Form::getValue(fi, ym);
    return v;
}

int64_t valueOfAll(int64_t ym) {
    int64_t v = 0;
    for (int32_t sb = 0; sb < StBuild::size(); ++sb) v += StBuild::getValue(sb, ym);
    for (int32_t fb = 0; fb < FoBuild::size(); ++fb) v += FoBuild::getValue(fb, ym);
    return v;
}

int32_t getGYM(int32_t si) {
    int32_t g = -1;
    auto take = [&](int32_t v) {
        if (v >= 0 && (g < 0 || v < g)) g = v;
    };
    for (int32_t sb : buildings(si)) take(StBuild::obj[sb].m_gym);
    for (int32_t fi : forms(si)) take(Form::getGYM(fi));
    return g;
}

std::vector<int32_t> getStList(int32_t my, int32_t mx, int32_t len) {
    std::vector<int32_t> v;
    for (int32_t si = 0; si < size(); ++si) {
        if (!isValid(si) || isYard(si)) continue;
        if (std::abs(m_y[si] - my) + std::abs(m_x[si] - mx) <= len) v.push_back(si);
    }
    return v;
}

std::vector<std::array<int64_t, 2>> getList(const std::function<int64_t(int32_t)>& waiting) {
    std::vector<std::array<int64_t, 2>> v;
    for (int32_t si = 0; si < size(); ++si) {
        if (isValid(si)) v.push_back({si, waiting ? waiting(si) : 0});
    }
    std::stable_sort(v.begin(), v.end(), [](const auto& a, const auto& b) { return a[1] > b[1]; });
    return v;
}

void rollPassengers() {
    for (int32_t si = 0; si < size(); ++si) {
        if (!isValid(si) || isYard(si)) continue;
        m_PLM[si] = m_PTM[si];
        m_PTM[si] = 0;
    }
}

void reset() {
    m_y.clear();
    m_x.clear();
    m_PDH.clear();
    m_PDO.clear();
    m_PLM.clear();
    m_PTM.clear();
    m_sName.clear();
    g_nameCA.clear();
    g_nameCAValid.clear();
    g_pool.reset();
}

void afterLoad() {
    size_t n = std::min({m_y.size(), m_x.size(), m_PDH.size(), m_PDO.size(), m_PLM.size(), m_PTM.size(),
                         m_sName.size() / kNameBytes});
    n = std::min<size_t>(n, m_max);
    m_y.resize(n);
    m_x.resize(n);
    m_PDH.resize(n);
    m_PDO.resize(n);
    m_PLM.resize(n);
    m_PTM.resize(n);
    m_sName.resize(n * kNameBytes);
    for (size_t si = 0; si < n; ++si) {
        if (m_y[si] < 0 || m_x[si] < 0) m_y[si] = m_x[si] = -1;
    }
    g_nameCA.clear();
    g_nameCAValid.clear();
    g_pool.rebuild(static_cast<int32_t>(n), [](int32_t i) { return m_y[i] != -1; });
}

}  // namespace tetsuro::Station
