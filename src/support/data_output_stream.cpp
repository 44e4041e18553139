#include "support/data_output_stream.h"

namespace tetsuro {

void DataOutputStream::writeBigEndian(std::uint64_t v, int bytes) {
    std::int8_t raw[8];
    for (int i = bytes - 1; i >= 0; --i) {
        raw[i] = static_cast<std::int8_t>(v & 0xFF);
        v >>= 8;
    }
    writeRaw(raw, static_cast<std::size_t>(bytes));
}

// Only the low 8 or 16 bits are written, as callers pass int-widened values.
void DataOutputStream::writeByte(int v) { writeBigEndian(static_cast<std::uint64_t>(v), 1); }

void DataOutputStream::writeShort(int v) { writeBigEndian(static_cast<std::uint64_t>(v), 2); }

void DataOutputStream::writeInt(std::int32_t v) {
    writeBigEndian(static_cast<std::uint32_t>(v), 4);
}

void DataOutputStream::writeLong(std::int64_t v) {
    writeBigEndian(static_cast<std::uint64_t>(v), 8);
}

}  // namespace tetsuro
