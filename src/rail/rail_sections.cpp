#include "rail/rail_sections.h"

#include <set>

#include "rail/antenna.h"
#include "rail/heisoku.h"
#include "rail/rail_hooks.h"
#include "rail/rail_search.h"
#include "rail/rail_store.h"

namespace tetsuro::Rail {

namespace {

uint64_t g_epoch = 0;

// Walks on past the end of `cur`, giving each new piece section t.
void walkBeyond(int32_t cur, int32_t t, std::set<int32_t>& visited) {
    for (;;) {
        RailPoint e = endPoint(cur);
        if (Antenna::searchIndex(e) >= 0) return;
        int32_t next = searchNext(cur);
        if (next < 0) return;
        int32_t leaving = RailRef::flip(next);
        int32_t n = RailRef::index(leaving);
        if (!visited.insert(n).second) return;
        setHS(n, t);
        cur = leaving;
    }
}

}  // namespace

int32_t getHS(int32_t r) { return isValidRef(r) ? m_iHS[RailRef::index(r)] : -1; }

bool setHS(int32_t n, int32_t v) {
    if (!isValid(n) || v < -1 || (v >= 0 && !Heisoku::isValid(v))) return false;
    int32_t old = m_iHS[n];
    if (old == v) return true;
    if (old >= 0) mutableIndex().sectionErase(n, old);
    m_iHS[n] = static_cast<int16_t>(v);
    if (v >= 0) mutableIndex().sectionInsert(n, v);
    ++g_epoch;
    changed();
    Heisoku::releaseIfEmpty(old);
    return true;
}

uint64_t sectionEpoch() { return g_epoch; }

int32_t getHeisoku(int32_t n) {
    if (!isValid(n)) return -1;
    auto counts = [](int32_t r) { return r >= 0 && !railHooks().hasPlatform(RailRef::index(r)); };
    int32_t to = searchNext(n);
    int32_t from = searchNext(RailRef::flip(n));
    int32_t ht = counts(to) ? getHS(to) : -1;
    int32_t hf = counts(from) ? getHS(from) : -1;
    if (ht >= 0 && hf >= 0 && ht != hf) changeHeisoku(hf, ht);
    return ht >= 0 ? ht : hf;
}

void changeHeisoku(int32_t f, int32_t t) {
    if (f == t || !Heisoku::isValid(f) || !Heisoku::isValid(t)) return;
    int16_t trainF = Heisoku::m_ti[f];
    if (trainF >= 0 && Heisoku::m_ti[t] < 0) Heisoku::m_ti[t] = trainF;
    for (int32_t n : index().sectionPieces(f)) setHS(n, t);
    // setHS freed f with its last piece.
}

void mergeHeisoku(int32_t f, int32_t t) { changeHeisoku(f, t); }

void changeHeisokuOne(int32_t f, int32_t t, int32_t o) {
    if (!isValid(f)) return;
    // Leave f by the end that does not lead back to o.
    int32_t atTo = searchNext(f);
    bool backAtTo = o >= 0 && atTo >= 0 && RailRef::index(atTo) == RailRef::index(o);
    floodFrom(RailRef::make(f, backAtTo), t);
}

void changeHeisokuOne(int32_t f, int32_t t) {
    if (!isValid(f)) return;
    std::set<int32_t> visited{f};
    setHS(f, t);
    walkBeyond(f, t, visited);
    walkBeyond(RailRef::flip(f), t, visited);
}

void floodFrom(int32_t r, int32_t t) {
    if (!isValidRef(r)) return;
    int32_t n = RailRef::index(r);
    std::set<int32_t> visited{n};
    setHS(n, t);
    walkBeyond(r, t, visited);
}

std::vector<int32_t> getHeisokuBoth(int32_t n) {
    std::vector<int32_t> out;
    auto pieces = index().sectionPieces(n);
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
        if (m_iSS[*it] >= 0) out.push_back(*it);
        if (m_iSE[*it] >= 0) out.push_back(RailRef::make(*it, true));
    }
    return out;
}

}  // namespace tetsuro::Rail
