#pragma once
// The arithmetic of running, free of any table: speed limits, braking
// distances, stop points, running-cost rates, the dwell at a platform, and
// the motion of a train under constant acceleration.
//
// Units: a tick is 1/60 s of game clock; distances are track units; speeds
// are track units per tick; catalogue and rail speeds are 0.1 km/h.
#include <cstdint>
#include <span>

namespace tetsuro::Running {

inline constexpr int64_t kCreepSpeed = 150;          // 15 km/h, in 0.1 km/h
inline constexpr int64_t kPullOutMargin = 11404800;  // 110 real units past the platform end
inline constexpr int32_t kBlockWait = 60;            // ticks before a refused entry is tried again
inline constexpr int32_t kShortestStop = 600;        // 10 s
inline constexpr int64_t kCostDivisor = 256;
inline constexpr int64_t kOpenSignalSpeed = 5000;    // a signal that sets no limit

// The limit in 0.1 km/h: 15 km/h while creeping, else the least of the
// type's top speed, the rail's (class x 50) and the signal's (class x 50,
// none when the class is negative or 100).
int64_t speedLimit(bool creeping, int64_t typeTop, int64_t railLimit, int32_t signal);
// A speed in 0.1 km/h as track units per tick at time-scale factor timesc;
// at least 1, so that no train is ever given a limit of 0.
int64_t trackSpeed(int64_t speed, int64_t timesc);
// The distance to brake from speed v to speed ts at deceleration b (>= 1).
int64_t brakingDistance(int64_t b, int64_t v, int64_t ts);
// The distance after which a train stands centred on a platform that
// begins where the head's rail begins: the head has already run
// railLen - headPos of that rail.
int64_t stopPoint(int64_t platformLen, int64_t trainLen, int64_t headPos, int64_t railLen);
// The distance a train standing centred on a platform runs to leave it.
int64_t pullOutDistance(int64_t platformLen, int64_t trainLen);
// Running cost per tick at constant speed, in 1/10000 money units:
// top speed (km/h) x 10 x (cars + 2) / 256. Accelerating costs twice as
// much, braking nothing.
int64_t costRate(int64_t typeTopKmh, int64_t cars);

// The wait in ticks (>= 600) of a train that stopped at a platform whose
// rules for the day are `rules` (one byte per slot of unitMinutes
// minutes), found in slot di, at game clock `clock`. Code 3 waits 10 s,
// code 4 30 s, 5 min or 15 min by the slot length; any other code waits
// until the end of the run of plain stop slots (1 or 2) that starts at
// di, counted forward across midnight: the start of the first slot with
// another code when that code is 0, else the start of the slot after it,
// plus the short stop of a code 3 or 4 slot there. A day of nothing but
// plain stops leaves at the end of the current slot.
int64_t dwellTicks(std::span<const int8_t> rules, int32_t di, int32_t unitMinutes, int64_t clock);

// A run of constant acceleration a (track units per tick per tick; negative
// for braking) from speed v0. The speed changes at the end of every tick
// and is held at cap while accelerating and at 0 while braking; a tick
// covers the mean of its speeds at its two ends. Positions are taken from
// the start of the run, so cutting it into steps of any length gives the
// same positions.
struct Motion {
    int64_t v0 = 0;
    int64_t a = 0;
    int64_t cap = 0;  // the speed held once reached (a > 0 only)
};
// Speed after tau ticks.
int64_t speedAt(const Motion& m, int64_t tau);
// Distance covered in the first tau ticks (rounded down).
int64_t distanceAt(const Motion& m, int64_t tau);
// The first tau in (from, horizon] at which the distance covered since
// tick `from` reaches d (> 0); -1 when it does not by horizon.
int64_t timeToCover(const Motion& m, int64_t from, int64_t d, int64_t horizon);

}  // namespace tetsuro::Running
