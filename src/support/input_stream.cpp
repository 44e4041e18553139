#include "support/input_stream.h"

#include <algorithm>
#include <cstring>

#include "support/errors.h"
#include "support/file_transfer.h"

namespace tetsuro {
namespace {

constexpr std::size_t kAheadSize = 64 * 1024;

[[noreturn]] void throwReadFailure(const os::Error& e) {
    throw IOException("read failed: " + e.text);
}

}  // namespace

InputStream::InputStream(std::unique_ptr<os::File> file) : m_h(std::move(file)) {}

InputStream::InputStream(std::vector<std::int8_t> buffer) : m_ca(std::move(buffer)) {}

InputStream::~InputStream() = default;
InputStream::InputStream(InputStream&&) noexcept = default;
InputStream& InputStream::operator=(InputStream&&) noexcept = default;

std::size_t InputStream::readFromFile(std::int8_t* dst, std::size_t len) {
    std::size_t done = std::min(len, m_aheadEnd - m_aheadPos);
    if (done > 0) {
        std::memcpy(dst, m_ahead.data() + m_aheadPos, done);
        m_aheadPos += done;
    }
    std::size_t rest = len - done;
    if (rest == 0) return done;
    if (rest >= kAheadSize) {
        os::Transfer t = os::readFully(*m_h, dst + done, rest);
        if (t.failed) throwReadFailure(t.error);
        return done + t.count;
    }
    if (m_ahead.empty()) m_ahead.resize(kAheadSize);
    os::Transfer t = os::readAtLeast(*m_h, m_ahead.data(), rest, m_ahead.size());
    if (t.failed) throwReadFailure(t.error);
    m_aheadEnd = t.count;
    m_aheadPos = std::min(rest, t.count);
    std::memcpy(dst + done, m_ahead.data(), m_aheadPos);
    return done + m_aheadPos;
}

int InputStream::_read(std::int8_t* dst, int len) {
    if (len <= 0) return 0;
    auto n = static_cast<std::size_t>(len);
    if (m_h) return static_cast<int>(readFromFile(dst, n));
    if (!m_ca) throw IOException("read from a stream without data");
    n = std::min(n, m_ca->size() - m_iPos);
    if (n > 0) std::memcpy(dst, m_ca->data() + m_iPos, n);
    m_iPos += n;
    return static_cast<int>(n);
}

int InputStream::read(std::vector<std::int8_t>& bytes) {
    return _read(bytes.data(), static_cast<int>(bytes.size()));
}

int InputStream::read(std::vector<std::int16_t>& dt) {
    if (dt.empty()) return 0;
    std::vector<std::int8_t> raw(dt.size() * 2);
    int got = _read(raw.data(), static_cast<int>(raw.size()));
    for (std::size_t i = 0; i + 1 < static_cast<std::size_t>(got); i += 2) {
        auto hi = static_cast<std::uint8_t>(raw[i]);
        auto lo = static_cast<std::uint8_t>(raw[i + 1]);
        dt[i / 2] = static_cast<std::int16_t>((hi << 8) | lo);
    }
    return got;
}

const std::vector<std::int8_t>& InputStream::_getPtr() {
    if (m_h) {
        std::vector<std::int8_t> all(m_ahead.begin() + static_cast<std::ptrdiff_t>(m_aheadPos),
                                     m_ahead.begin() + static_cast<std::ptrdiff_t>(m_aheadEnd));
        os::Error e;
        if (!os::readToEnd(*m_h, all, &e)) throwReadFailure(e);
        // From now on the stream is the array, read to its end.
        close();
        m_iPos = all.size();
        m_ca = std::move(all);
    }
    if (!m_ca) throw IOException("read from a stream without data");
    return *m_ca;
}

void InputStream::close() {
    if (m_h) {
        os::Error ignored;
        m_h->close(&ignored);
        m_h.reset();
    }
    m_ahead.clear();
    m_ahead.shrink_to_fit();
    m_aheadPos = m_aheadEnd = 0;
}

FileInputStream::FileInputStream(const std::string& name) {
    os::Error e;
    m_h = os::openRead(name, &e);
    if (!m_h) throw FileNotFoundException("cannot open " + name + ": " + e.text);
}

ByteArrayInputStream::ByteArrayInputStream(std::vector<std::int8_t> buf)
    : InputStream(std::move(buf)) {}

ByteArrayInputStream::ByteArrayInputStream(const std::vector<std::int8_t>& buf, int offset,
                                           int length) {
    auto size = static_cast<long long>(buf.size());
    long long from = std::clamp<long long>(offset, 0, size);
    long long to = std::clamp<long long>(static_cast<long long>(from) + std::max(length, 0), from, size);
    m_ca.emplace(buf.begin() + from, buf.begin() + to);
}

}  // namespace tetsuro
