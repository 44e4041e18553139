#include "trains/train_sections.h"

#include <vector>

#include "rail/heisoku.h"
#include "rail/rail_sections.h"
#include "trains/train_chain.h"
#include "trains/train_placement.h"

namespace tetsuro::Train {

namespace {

// Per-section marks of the sections a train needs; all clear between calls.
std::vector<uint8_t> g_mark;
// The sections a train needs, in the order found.
std::vector<int16_t> g_need;

constexpr uint8_t kNeeded = 2;

void fitMarks() {
    if (g_mark.size() < static_cast<size_t>(Heisoku::size())) g_mark.resize(static_cast<size_t>(Heisoku::size()), 0);
}

// The sections under the car ends into g_need (each once, marked kNeeded).
void collectNeeded(int32_t ti) {
    fitMarks();
    g_need.clear();
    forEachCar(ti, [](int32_t r) {
        for (size_t e = 2 * static_cast<size_t>(r); e <= 2 * static_cast<size_t>(r) + 1; ++e) {
            const int32_t s = Rail::getHS(Train_rs::m_ari[e]);
            if (!Heisoku::isValid(s) || (g_mark[static_cast<size_t>(s)] & kNeeded) != 0) continue;
            g_mark[static_cast<size_t>(s)] |= kNeeded;
            g_need.push_back(static_cast<int16_t>(s));
        }
    });
}

bool heldByOther(int32_t ti, int32_t s) {
    const int16_t t = Heisoku::m_ti[static_cast<size_t>(s)];
    return t >= 0 && t != ti;
}

}  // namespace

bool sectionFreeFor(int32_t ti, int32_t ref) {
    const int32_t s = Rail::getHS(ref);
    return !Heisoku::isValid(s) || !heldByOther(ti, s);
}

bool sectionsFree(int32_t ti) {
    collectNeeded(ti);
    bool free = true;
    for (int16_t s : g_need) {
        if (heldByOther(ti, s)) free = false;
        g_mark[static_cast<size_t>(s)] = 0;
    }
    return free;
}

void claimSections(int32_t ti) {
    collectNeeded(ti);
    std::vector<int16_t>& held = m_held[static_cast<size_t>(ti)];
    for (int16_t s : held) {
        if (!Heisoku::isValid(s) || (g_mark[static_cast<size_t>(s)] & kNeeded) != 0) continue;
        if (Heisoku::m_ti[static_cast<size_t>(s)] == ti) {
            Heisoku::m_ti[static_cast<size_t>(s)] = -1;
            Heisoku::renewSignal(s);
        }
    }
    held.clear();
    for (int16_t s : g_need) {
        g_mark[static_cast<size_t>(s)] = 0;
        if (heldByOther(ti, s)) continue;
        held.push_back(s);
        if (Heisoku::m_ti[static_cast<size_t>(s)] != ti) {
            Heisoku::m_ti[static_cast<size_t>(s)] = static_cast<int16_t>(ti);
            Heisoku::renewSignal(s);
        }
    }
}

void releaseSections(int32_t ti) {
    std::vector<int16_t>& held = m_held[static_cast<size_t>(ti)];
    for (int16_t s : held) {
        if (Heisoku::isValid(s) && Heisoku::m_ti[static_cast<size_t>(s)] == ti) {
            Heisoku::m_ti[static_cast<size_t>(s)] = -1;
            Heisoku::renewSignal(s);
        }
    }
    held.clear();
}

void renewHeisoku() {
    // Sections held before; those nobody claims again need their signals renewed.
    static std::vector<int16_t> s_was;
    s_was.clear();
    for (int32_t s = 0; s < Heisoku::size(); ++s) {
        int16_t& t = Heisoku::m_ti[static_cast<size_t>(s)];
        if (t < 0) continue;
        s_was.push_back(static_cast<int16_t>(s));
        t = -1;
    }
    for (int32_t ti = 0; ti < size(); ++ti) m_held[static_cast<size_t>(ti)].clear();
    for (int32_t ti = 0; ti < size(); ++ti) {
        if (!isPlaced(ti)) continue;
        if (!sectionsFree(ti)) {
            setNonPlacement(ti);
            continue;
        }
        claimSections(ti);
    }
    for (int16_t s : s_was) {
        if (Heisoku::m_ti[static_cast<size_t>(s)] < 0) Heisoku::renewSignal(s);
    }
}

}  // namespace tetsuro::Train
