#pragma once
// Byte output into a growing array or, through AtomicFileWriter, into a file
// that only appears (or changes) when the stream is committed.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/atomic_file.h"

namespace tetsuro {

class OutputStream {
public:
    // Collects everything written in buffer().
    OutputStream() = default;
    // Writes into the file; nothing is published before commit().
    explicit OutputStream(std::unique_ptr<AtomicFileWriter> file);
    // A file stream destroyed without commit leaves the old file untouched.
    virtual ~OutputStream();
    OutputStream(OutputStream&&) noexcept;
    OutputStream& operator=(OutputStream&&) noexcept;

    // `len` bytes from `off`, cut to what the array holds; nothing when len <= 0.
    void write(const std::vector<std::int8_t>& bytes, int off, int len);
    void write(const std::vector<std::int8_t>& bytes);
    // `n` 16-bit elements from element `off`, each high byte first.
    void write(const std::vector<std::int16_t>& dt, int off, int n);
    void write(const std::vector<std::int16_t>& dt);

    // Writes do not throw: a failure is remembered and reported here. For a
    // file stream this publishes the file atomically and returns false (see
    // error()) when any write or the publishing failed; the old file is then
    // left as it was. The first call decides; later writes are refused.
    bool commit();
    // Same as commit().
    bool close() { return commit(); }

    bool failed() const { return !m_error.empty(); }
    const std::string& error() const { return m_error; }

    // What a stream without a file has collected.
    const std::vector<std::int8_t>& buffer() const { return m_ca; }

protected:
    void writeRaw(const std::int8_t* p, std::size_t n);

    std::unique_ptr<AtomicFileWriter> m_h;
    std::vector<std::int8_t> m_ca;

private:
    bool m_toFile = false;
    bool m_closed = false;
    std::string m_error;
};

}  // namespace tetsuro
