#pragma once
// Byte input from a file or from a byte array.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/os_file.h"

namespace tetsuro {

class InputStream {
public:
    // No source: every read raises IOException.
    InputStream() = default;
    explicit InputStream(std::unique_ptr<os::File> file);
    explicit InputStream(std::vector<std::int8_t> buffer);
    virtual ~InputStream();
    InputStream(InputStream&&) noexcept;
    InputStream& operator=(InputStream&&) noexcept;

    // Up to `len` bytes into dst. Partial transfers are retried, so fewer
    // than `len` means the data has ended; 0 at the end. A failing file read
    // raises IOException, a stream without a source as well.
    int _read(std::int8_t* dst, int len);

    // _read into the whole array; 0 for an empty array.
    int read(std::vector<std::int8_t>& bytes);

    // 2n bytes into the n elements, high byte first; returns the byte count.
    // Only complete pairs are stored when the data ends early.
    int read(std::vector<std::int16_t>& dt);

    // Everything not read yet (the whole file on a fresh stream), kept by the
    // stream: later calls return the same array. For a byte-array stream,
    // the whole array.
    const std::vector<std::int8_t>& _getPtr();

    // Releases the file; the stream has no source afterwards.
    void close();

    bool hasFile() const { return m_h != nullptr; }

protected:
    std::unique_ptr<os::File> m_h;
    std::optional<std::vector<std::int8_t>> m_ca;
    std::size_t m_iPos = 0;

private:
    std::size_t readFromFile(std::int8_t* dst, std::size_t len);

    // Read-ahead for file streams, so that value-by-value reading does not
    // cost one system call per value.
    std::vector<std::int8_t> m_ahead;
    std::size_t m_aheadPos = 0;
    std::size_t m_aheadEnd = 0;
};

// Opens an existing file; FileNotFoundException when it cannot be opened.
class FileInputStream : public InputStream {
public:
    explicit FileInputStream(const std::string& name);
};

// Reads from a private copy of the bytes.
class ByteArrayInputStream : public InputStream {
public:
    explicit ByteArrayInputStream(std::vector<std::int8_t> buf);
    // `length` bytes from `offset`, cut to what the array holds.
    ByteArrayInputStream(const std::vector<std::int8_t>& buf, int offset, int length);
};

}  // namespace tetsuro
