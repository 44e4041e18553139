#include "support/output_stream.h"

#include <algorithm>

namespace tetsuro {

OutputStream::OutputStream(std::unique_ptr<AtomicFileWriter> file)
    : m_h(std::move(file)), m_toFile(true) {}

OutputStream::~OutputStream() = default;
OutputStream::OutputStream(OutputStream&&) noexcept = default;
OutputStream& OutputStream::operator=(OutputStream&&) noexcept = default;

void OutputStream::writeRaw(const std::int8_t* p, std::size_t n) {
    if (n == 0) return;
    if (!m_toFile) {
        m_ca.insert(m_ca.end(), p, p + n);
        return;
    }
    if (m_closed || !m_h) {
        if (m_error.empty()) m_error = "write after close";
        return;
    }
    if (!m_h->write(p, n) && m_error.empty()) m_error = m_h->error();
}

void OutputStream::write(const std::vector<std::int8_t>& bytes, int off, int len) {
    if (len <= 0 || off < 0) return;
    auto from = std::min(static_cast<std::size_t>(off), bytes.size());
    auto count = std::min(static_cast<std::size_t>(len), bytes.size() - from);
    writeRaw(bytes.data() + from, count);
}

void OutputStream::write(const std::vector<std::int8_t>& bytes) {
    writeRaw(bytes.data(), bytes.size());
}

void OutputStream::write(const std::vector<std::int16_t>& dt, int off, int n) {
    if (n <= 0 || off < 0) return;
    auto from = std::min(static_cast<std::size_t>(off), dt.size());
    auto count = std::min(static_cast<std::size_t>(n), dt.size() - from);
    std::vector<std::int8_t> raw(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        auto v = static_cast<std::uint16_t>(dt[from + i]);
        raw[2 * i] = static_cast<std::int8_t>(v >> 8);
        raw[2 * i + 1] = static_cast<std::int8_t>(v & 0xFF);
    }
    writeRaw(raw.data(), raw.size());
}

void OutputStream::write(const std::vector<std::int16_t>& dt) {
    write(dt, 0, static_cast<int>(dt.size()));
}

bool OutputStream::commit() {
    if (!m_toFile) return true;
    if (!m_closed) {
        m_closed = true;
        if (m_h) {
            CommitResult r = m_h->commit();
            if (!r && m_error.empty()) m_error = r.reason;
            m_h.reset();
        }
    }
    return !failed();
}

}  // namespace tetsuro
