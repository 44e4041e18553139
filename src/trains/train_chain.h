#pragma once
// The car chain of a placed train: moving it along its path, putting the
// head onto the next rail, and turning the train round.
//
// Car geometry: every car of a type has the catalogue length L (real
// units). A car's two ends are L - 2 apart along the track and consecutive
// cars leave a gap of 2, so cars follow at a pitch of L.
#include <cstdint>

#include "trains/train_cars.h"
#include "trains/train_store.h"

namespace tetsuro::Train {

// Calls f(r) for every car from the head to the last car. The walk stops
// after carCount cars, so corrupt links cannot loop.
template <class F>
void forEachCar(int32_t ti, F&& f) {
    int32_t r = headCar(ti);
    for (int32_t k = 0; k < carCount(ti) && Train_rs::isValid(r); ++k) {
        f(r);
        r = Train_rs::next(r);
    }
}

// Car length in real units and the train's length in real and track units.
int32_t carLength(int32_t ti);
int64_t length_cm(int32_t ti);
int64_t length_um(int32_t ti);

// Moves the chain l track units forward (a negative l moves it back):
// every end's position drops by l and trailing ends that pass the end of
// their rail go on along the path the head took. The head's front end never
// changes rail here. Sections are released and claimed again when an end
// changed rail. True when the head's front end has reached the end of its
// rail (position <= 0). O(cars + rails passed); no allocation.
bool moveChain(int32_t ti, int64_t l);
// Puts the head's front end onto rb (a rail in the car's direction, see
// train_direction.h: the onto() of a successor of the head's rail end); its
// position grows by rb's length. Refused (false, nothing changed) when a
// section under the train would then be held by another train.
bool moveRail(int32_t ti, int32_t rb);
// Turns the train round: the last car becomes the head and every end faces
// the other way. A head past the end of its rail is first moved back to it.
// Refused (false, nothing changed) when the new head would lie beyond the
// end of its rail. A train that is not waiting stops (speed and phase 0);
// with sf the next platform is looked for again.
bool reverse(int32_t ti, bool sf);

}  // namespace tetsuro::Train
