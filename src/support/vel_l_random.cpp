#include "support/vel_l_random.h"

namespace tetsuro::VelL {

RandomSource& randomSource() {
    static RandomSource source(RandomSource::Variant::Shared);
    return source;
}

int32_t RND_get(int32_t n) { return randomSource().get(n); }

}  // namespace tetsuro::VelL
