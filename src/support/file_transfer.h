#pragma once
// Loops over the adapter's primitive transfers. The system may move fewer
// bytes than asked for or be interrupted by a signal; callers above this
// never see either.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "support/os_file.h"

namespace tetsuro::os {

// Reads until at least `min` bytes have arrived (never more than `max`), the
// file ends, or a read fails. `count` is what arrived, also on failure.
Transfer readAtLeast(File& file, void* dst, std::size_t min, std::size_t max);

// Reads `len` bytes; fewer only at the end of the file or on failure.
inline Transfer readFully(File& file, void* dst, std::size_t len) {
    return readAtLeast(file, dst, len, len);
}

// Writes all `len` bytes or fails. A write that moves nothing is a failure,
// so a stuck device cannot spin this forever.
Transfer writeFully(File& file, const void* src, std::size_t len);

// Appends the rest of the file to `out`. The file's size is only a first
// guess, so a file that grows or shrinks meanwhile is still read whole.
bool readToEnd(File& file, std::vector<std::int8_t>& out, Error* err);

}  // namespace tetsuro::os
