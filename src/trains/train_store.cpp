#include "trains/train_store.h"

#include <algorithm>

#include "support/shift_jis.h"
#include "trains/dia_connect.h"
#include "trains/train_cars.h"
#include "trains/train_spec.h"

namespace tetsuro::Train {

namespace {

size_t idx(int32_t ti) { return static_cast<size_t>(ti); }

void resizeArrays(size_t n) {
    m_n.resize(n, -1);
    obj.resize(n);
    m_re.resize(n, -1);
    m_Typ.resize(n, 0);
    m_Clr.resize(n, 0);
    m_sName.resize(n * kNameBytes, 0);
    m_NF.resize(n, kNotPlaced);
    m_NP.resize(n, 0);
    m_di.resize(n, 0);
    m_SP.resize(n, 0);
    m_ac.resize(n, 0);
    m_Signal.resize(n, kNoSignalLimit);
    m_iNextCount.resize(n, 0);
    m_lLastMS.resize(n, 0);
    m_IncomeD.resize(n, 0);
    m_IncomeM.resize(n, 0);
    m_IncomeY.resize(n, 0);
    m_DiaIdx.resize(n, -1);
    m_aDiaFo.resize(n * static_cast<size_t>(m_diamax), -1);
    m_aDiaAr.resize(n * static_cast<size_t>(m_diamax), -2);
    m_aDiaLe.resize(n * static_cast<size_t>(m_diamax), -2);
    m_iPassenger.resize(n, 0);
    m_path.resize(n);
    m_held.resize(n);
}

}  // namespace

int32_t size() { return static_cast<int32_t>(m_n.size()); }

int32_t count() {
    return static_cast<int32_t>(std::count_if(m_n.begin(), m_n.end(), [](int16_t n) { return n != -1; }));
}

bool isValid(int32_t ti) { return ti >= 0 && ti < size() && m_n[idx(ti)] != -1; }

bool isPlaced(int32_t ti) { return isValid(ti) && m_NF[idx(ti)] != kNotPlaced; }

int32_t add(int32_t tn, int32_t tp, int32_t rc, int32_t gym) {
    if (tn < 0 || tn >= m_max || toIndex(tn) >= 0) return -1;
    if (!TrainSpec::isValid(tp) || tp > INT8_MAX) return -1;
    if (rc < 1 || rc > kMaxCarsPerTrain || !Train_rs::canAdd(rc)) return -1;
    int32_t ti = 0;
    while (ti < size() && m_n[idx(ti)] != -1) ++ti;
    if (ti >= m_max) return -1;
    const Train_rs::Chain chain = Train_rs::addChain(rc, gym);
    if (chain.head < 0) return -1;
    if (ti == size()) resizeArrays(idx(ti) + 1);
    const size_t i = idx(ti);
    m_n[i] = static_cast<int16_t>(tn);
    obj[i] = Obj{static_cast<int8_t>(rc), static_cast<int16_t>(chain.head)};
    m_re[i] = static_cast<int16_t>(chain.last);
    m_Typ[i] = static_cast<int8_t>(tp);
    m_Clr[i] = TrainSpec::getColor(tp);
    setName(ti, TrainSpec::getName(tp));
    m_NF[i] = kNotPlaced;
    m_NP[i] = 0;
    m_di[i] = 0;
    m_SP[i] = 0;
    m_ac[i] = 0;
    m_Signal[i] = kNoSignalLimit;
    m_iNextCount[i] = 0;
    m_lLastMS[i] = 0;
    m_IncomeD[i] = m_IncomeM[i] = m_IncomeY[i] = 0;
    m_iPassenger[i] = 0;
    clearDia(ti);
    m_path[i].clear();
    m_held[i].clear();
    // Room for every section the train can hold, so claiming never allocates.
    m_held[i].reserve(2 * static_cast<size_t>(rc) + 1);
    return ti;
}

bool sell(int32_t ti) {
    if (!isValid(ti) || isPlaced(ti)) return false;
    Train_rs::removeChain(headCar(ti));
    const size_t i = idx(ti);
    m_n[i] = -1;
    obj[i] = Obj{};
    m_re[i] = -1;
    m_path[i].clear();
    m_held[i].clear();
    return true;
}

int32_t toIndex(int32_t tn) {
    if (tn < 0) return -1;
    for (int32_t ti = 0; ti < size(); ++ti) {
        if (m_n[idx(ti)] == tn) return ti;
    }
    return -1;
}

bool isNonPurchaseFromNo(int32_t tn) { return toIndex(tn) < 0; }

bool isNonPlacementFromNo(int32_t tn) {
    const int32_t ti = toIndex(tn);
    return ti >= 0 && !isPlaced(ti);
}

J_String getName(int32_t ti) {
    if (!isValid(ti)) return J_String();
    const auto first = m_sName.begin() + static_cast<ptrdiff_t>(idx(ti) * kNameBytes);
    const auto end = std::find(first, first + kNameBytes, int8_t{0});
    return J_String(std::vector<int8_t>(first, end));
}

J_String cutName(const J_String& name, int n) {
    std::vector<int8_t> bytes;
    const std::vector<int8_t>& b = name.getBytes();
    const std::span<const int8_t> text(b.data(), std::find(b.begin(), b.end(), int8_t{0}) - b.begin());
    for (size_t at = 0; at < text.size();) {
        const size_t len = cp932CharLength(text, at);
        if (bytes.size() + len > static_cast<size_t>(n)) break;
        bytes.insert(bytes.end(), text.begin() + static_cast<ptrdiff_t>(at),
                     text.begin() + static_cast<ptrdiff_t>(at + len));
        at += len;
    }
    return J_String(std::move(bytes));
}

void setName(int32_t ti, const J_String& name) {
    if (!isValid(ti)) return;
    const J_String cut = cutName(name.trim());
    const auto first = m_sName.begin() + static_cast<ptrdiff_t>(idx(ti) * kNameBytes);
    std::fill_n(first, kNameBytes, int8_t{0});
    std::copy(cut.getBytes().begin(), cut.getBytes().end(), first);
}

void clearDia(int32_t ti) {
    if (ti < 0 || ti >= size()) return;
    const size_t i = idx(ti);
    m_DiaIdx[i] = -1;
    const auto from = static_cast<ptrdiff_t>(i * static_cast<size_t>(m_diamax));
    std::fill_n(m_aDiaFo.begin() + from, m_diamax, int16_t{-1});
    std::fill_n(m_aDiaAr.begin() + from, m_diamax, -2);
    std::fill_n(m_aDiaLe.begin() + from, m_diamax, -2);
    DiaConnect::touch(ti);
}

void setTimeScale(int64_t timesc, int64_t tsDenominator, int32_t diamax) {
    m_timesc = timesc;
    s_iTSDenominator = std::max<int64_t>(1, tsDenominator);
    diamax = std::max(diamax, 2);
    if (diamax == m_diamax) return;
    // Times recorded under another scale mean nothing now.
    m_diamax = diamax;
    const size_t n = idx(size());
    m_aDiaFo.assign(n * static_cast<size_t>(m_diamax), -1);
    m_aDiaAr.assign(n * static_cast<size_t>(m_diamax), -2);
    m_aDiaLe.assign(n * static_cast<size_t>(m_diamax), -2);
    std::fill(m_DiaIdx.begin(), m_DiaIdx.end(), int16_t{-1});
    DiaConnect::touchAll();
}

void reset() {
    resizeArrays(0);
    DiaConnect::touchAll();
    Train_rs::reset();
}

void resizeDerived() {
    DiaConnect::touchAll();
    size_t n = std::min({m_n.size(), obj.size(), m_re.size(), m_Typ.size(), m_Clr.size(), m_sName.size() / kNameBytes,
                         m_NF.size(), m_NP.size(), m_di.size(), m_SP.size(), m_ac.size(), m_Signal.size(),
                         m_iNextCount.size(), m_lLastMS.size(), m_IncomeD.size(), m_IncomeM.size(),
                         m_IncomeY.size(), m_DiaIdx.size(), m_aDiaFo.size() / static_cast<size_t>(m_diamax),
                         m_aDiaAr.size() / static_cast<size_t>(m_diamax),
                         m_aDiaLe.size() / static_cast<size_t>(m_diamax), m_iPassenger.size()});
    n = std::min(n, static_cast<size_t>(m_max));
    // Cut every array to n records first, then let resizeArrays size the
    // derived ones.
    m_n.resize(n), obj.resize(n), m_re.resize(n), m_Typ.resize(n), m_Clr.resize(n);
    m_sName.resize(n * kNameBytes), m_NF.resize(n), m_NP.resize(n), m_di.resize(n), m_SP.resize(n);
    m_ac.resize(n), m_Signal.resize(n), m_iNextCount.resize(n), m_lLastMS.resize(n);
    m_IncomeD.resize(n), m_IncomeM.resize(n), m_IncomeY.resize(n), m_DiaIdx.resize(n);
    m_aDiaFo.resize(n * static_cast<size_t>(m_diamax));
    m_aDiaAr.resize(n * static_cast<size_t>(m_diamax));
    m_aDiaLe.resize(n * static_cast<size_t>(m_diamax));
    m_iPassenger.resize(n);
    m_path.assign(n, TrainPath{});
    m_held.assign(n, {});
    for (size_t i = 0; i < n; ++i) {
        if (m_n[i] != -1) m_held[i].reserve(2 * static_cast<size_t>(std::max<int8_t>(obj[i].m_rc, 1)) + 1);
    }
}

}  // namespace tetsuro::Train
