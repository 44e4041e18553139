#pragma once
// Big-endian values from an input stream.
#include <cstdint>
#include <vector>

#include "support/input_stream.h"

namespace tetsuro {

class DataInputStream : public InputStream {
public:
    // Takes over the file or array of `in`.
    explicit DataInputStream(InputStream&& in) : InputStream(std::move(in)) {}

    // Each raises EOFException when the data ends before the value is whole.
    std::int8_t readByte();
    int readUnsignedByte();
    std::int16_t readShort();
    std::int32_t readInt();
    std::int64_t readLong();
    void readFully(std::vector<std::int8_t>& bytes);

private:
    std::uint64_t readBigEndian(int bytes);
};

}  // namespace tetsuro
