#pragma once
// What a running train decides on its own: its speed limit, its braking
// distance, the next platform ahead with the point to stop at, and the
// move along the track. The stepper (train_running.h) calls these.
#include <cstdint>

namespace tetsuro::Train {

// Phases in m_ac.
inline constexpr int8_t kStanding = 0;
inline constexpr int8_t kAccelerating = 1;
inline constexpr int8_t kAtLimit = 2;
inline constexpr int8_t kCreeping = 3;
inline constexpr int8_t kToBrakingPoint = 4;
inline constexpr int8_t kBraking = 5;

// The speed limit in track units per tick (at least 1).
int64_t getMaxSP_um(int32_t ti);
// Acceleration and braking in track units per tick per tick (at least 1).
int64_t accelerationUm(int32_t ti);
int64_t brakingUm(int32_t ti);
// From the current speed down to ts.
int64_t getBrakingDistance(int32_t ti, int64_t ts);
// The head's front end: its rail and the track units to that rail's end.
int32_t headRef(int32_t ti);
int64_t headPos(int32_t ti);

// The stop rule byte of platform fi for slot di (0, pass, for a slot the
// rules do not have).
int8_t stopRule(int32_t fi, int32_t di);

// Looks for the next platform when m_NF is -1 or m_NP <= 0: the first
// platform other than m_NF that the head enters on its rail. None: m_NF -1
// and m_NP the rail's length. Found: m_NF, m_di the current slot, the stop
// point, and the braking decision when the train will stop there.
void searchForm(int32_t ti);
// m_NP: the distance to where the train stands centred on platform fi.
void searchForm_setNP(int32_t ti, int32_t fi);
// Brakes now (phase 5) when the braking distance reaches m_NP; otherwise
// creeps (phase 3, only with flag and below 15 km/h) or runs on to the
// braking point (phase 4, m_NP less the braking distance).
void searchForm_checkBD(int32_t ti, bool flag);

// The platform's rails ahead of the head: whether the head stands on one,
// the track units to where the platform's track ends ahead of it, and
// whether it ends there in a buffer stop.
struct PlatformAhead {
    bool headOnPlatform = false;
    int64_t distance = 0;
    bool bufferStop = false;
};
PlatformAhead platformAhead(int32_t ti, int32_t fi);

// The distance a train standing at platform fi runs to leave it: on to the
// end of the platform ahead of its head, then the pull-out margin. For a
// train stopped centred this is pullOutDistance(); a train that stopped off
// centre (placed there, or turned round onto it) also leaves by just the
// margin, instead of running on into a platform close by before it looks
// for it.
int64_t pullOutNP(int32_t ti, int32_t fi);

// How far the train can run before one of its trailing car ends passes
// into another block section (which changes the sections it holds); -1
// when none can before the head enters another rail.
int64_t sectionChangeDistance(int32_t ti);

// Moves the train l track units, at most m_NP; true when the head has
// reached the end of its rail or m_NP is used up.
bool advance(int32_t ti, int64_t l);

}  // namespace tetsuro::Train
