#include "support/file_transfer.h"

#include <algorithm>
#include <cerrno>

namespace tetsuro::os {

Transfer readAtLeast(File& file, void* dst, std::size_t min, std::size_t max) {
    auto* p = static_cast<char*>(dst);
    Transfer total;
    while (total.count < min) {
        Transfer t = file.readSome(p + total.count, max - total.count);
        if (t.interrupted) continue;
        if (t.failed) {
            total.failed = true;
            total.error = t.error;
            break;
        }
        if (t.count == 0) break;  // end of file
        total.count += t.count;
    }
    return total;
}

Transfer writeFully(File& file, const void* src, std::size_t len) {
    const auto* p = static_cast<const char*>(src);
    Transfer total;
    while (total.count < len) {
        Transfer t = file.writeSome(p + total.count, len - total.count);
        if (t.interrupted) continue;
        if (t.failed || t.count == 0) {
            total.failed = true;
            total.error = t.failed ? t.error : Error{EIO, "the write made no progress"};
            break;
        }
        total.count += t.count;
    }
    return total;
}

bool readToEnd(File& file, std::vector<std::int8_t>& out, Error* err) {
    std::size_t filled = out.size();
    // One spare byte lets the final zero-length read confirm the end without
    // another allocation when the size was right.
    std::size_t guess = static_cast<std::size_t>(file.size().value_or(0));
    out.resize(filled + guess + 1);
    for (;;) {
        if (filled == out.size()) out.resize(std::max<std::size_t>(filled * 2, filled + 65536));
        Transfer t = file.readSome(out.data() + filled, out.size() - filled);
        if (t.interrupted) continue;
        if (t.failed) {
            out.resize(filled);
            if (err) *err = t.error;
            return false;
        }
        if (t.count == 0) break;
        filled += t.count;
    }
    out.resize(filled);
    return true;
}

}  // namespace tetsuro::os
