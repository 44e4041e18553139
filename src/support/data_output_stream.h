#pragma once
// Big-endian values into an output stream.
#include <cstdint>

#include "support/output_stream.h"

namespace tetsuro {

class DataOutputStream : public OutputStream {
public:
    // Collects into a buffer.
    DataOutputStream() = default;
    // Takes over the file or buffer of `out`.
    explicit DataOutputStream(OutputStream&& out) : OutputStream(std::move(out)) {}

    void writeByte(int v);
    void writeShort(int v);
    void writeInt(std::int32_t v);
    void writeLong(std::int64_t v);

private:
    void writeBigEndian(std::uint64_t v, int bytes);
};

}  // namespace tetsuro
