#include "support/data_input_stream.h"

#include <string>

#include "support/errors.h"

namespace tetsuro {
namespace {

[[noreturn]] void throwShort(int wanted, int got) {
    throw EOFException("data ended: wanted " + std::to_string(wanted) + " bytes, got " +
                       std::to_string(got));
}

}  // namespace

std::uint64_t DataInputStream::readBigEndian(int bytes) {
    std::int8_t raw[8];
    int got = _read(raw, bytes);
    if (got < bytes) throwShort(bytes, got);
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | static_cast<std::uint8_t>(raw[i]);
    return v;
}

std::int8_t DataInputStream::readByte() { return static_cast<std::int8_t>(readBigEndian(1)); }

int DataInputStream::readUnsignedByte() { return static_cast<int>(readBigEndian(1)); }

std::int16_t DataInputStream::readShort() { return static_cast<std::int16_t>(readBigEndian(2)); }

std::int32_t DataInputStream::readInt() { return static_cast<std::int32_t>(readBigEndian(4)); }

std::int64_t DataInputStream::readLong() { return static_cast<std::int64_t>(readBigEndian(8)); }

void DataInputStream::readFully(std::vector<std::int8_t>& bytes) {
    int wanted = static_cast<int>(bytes.size());
    int got = read(bytes);
    if (got < wanted) throwShort(wanted, got);
}

}  // namespace tetsuro
