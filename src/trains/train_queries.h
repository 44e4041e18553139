#pragma once
// What running, drawing, the panels and the books ask of a train: value,
// capacity and riders, performance figures, and where its cars are.
//
// Car ends are numbered p = 0 for the head car's front end, 1 for its rear
// end, 2 for the second car's front end and so on; cars n from 0 at the head.
#include <array>
#include <cstdint>

namespace tetsuro::Train {

// Seats: cars x 100.
int64_t getCapacity(int32_t ti);
// Boards up to p riders, at most 255 % of the seats in all; the number boarded.
int64_t addPassenger(int32_t ti, int64_t p);
int64_t getTakeP(int32_t ti);
// Riders per car.
int64_t getTakeRate(int32_t ti);
// Book value in year-month ym: every car loses 1/156 of its price a month
// and is worth nothing after 13 years.
int64_t getValue(int32_t ti, int64_t ym);
// Top speed in 0.1 km/h; acceleration and braking after the time-scale division.
int64_t getMaxSP_km(int32_t ti);
int64_t getAcceleration(int32_t ti);
int64_t getBreaking(int32_t ti);

// The car record of car n (-1 when there is none).
int32_t carRecord(int32_t ti, int32_t n);
// Rail, position and cached (y, x) of end p; -1 / 0 / {-1, -1} when none.
int32_t getRI(int32_t ti, int32_t p);
int64_t getRP(int32_t ti, int32_t p);
std::array<int32_t, 2> getRYX(int32_t ti, int32_t p);
// Centre of car n: the mean of its two ends' cached coordinates.
std::array<int32_t, 2> getRCYX(int32_t ti, int32_t n);
int32_t getRCY(int32_t ti, int32_t n);
int32_t getRCX(int32_t ti, int32_t n);
int32_t getRCZ(int32_t ti, int32_t n);
// Front end minus rear end of car n, and its direction.
std::array<int64_t, 2> getVectorYX(int32_t ti, int32_t n);
int getAngleYX360(int32_t ti, int32_t n);
int getAngle16(int32_t ti, int32_t n);
// The head's front end has not yet reached the end of its rail.
bool isOnTheRail(int32_t ti);
// Some car end lies above the terrain.
bool isElevated(int32_t ti);

}  // namespace tetsuro::Train
