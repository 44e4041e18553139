#pragma once
// Writes a file so that readers only ever see the old content or the whole
// new content: everything goes to a temporary file in the same folder, which
// is synced and renamed over the target on commit. A failed or abandoned
// write leaves the old file as it was. Every file the program writes goes
// through here.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/os_file.h"

namespace tetsuro {

struct CommitResult {
    bool ok = false;
    std::string reason;  // empty on success
    explicit operator bool() const { return ok; }
};

class AtomicFileWriter {
public:
    // Opens the temporary file at once; ok() tells whether that worked.
    // With keepBackup the file being replaced survives as "<target>.bak".
    explicit AtomicFileWriter(std::string target, bool keepBackup = false);
    // Without a successful commit the temporary file is removed.
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False once anything has failed; the first reason is kept.
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    // The system's own report of the first failure (code 0 when none came
    // from the system).
    const os::Error& systemError() const { return systemError_; }

    // Buffered; every flush to the file is checked. Returns ok().
    bool write(const void* data, std::size_t len);
    bool write(const std::vector<std::int8_t>& bytes) { return write(bytes.data(), bytes.size()); }

    // Flushes, syncs and closes the temporary file, renames it over the
    // target and syncs the folder. The first call decides; later calls
    // return the same result.
    CommitResult commit();

    // Drops the temporary file; the target is untouched.
    void abandon();

    const std::string& target() const { return target_; }
    const std::string& tempPath() const { return temp_; }

private:
    bool flush();
    bool failWith(const std::string& what, const os::Error& e);

    std::string target_;
    std::string temp_;
    bool keepBackup_;
    std::unique_ptr<os::File> file_;
    std::vector<std::int8_t> pending_;
    std::string error_;
    os::Error systemError_;
    bool finished_ = false;
    CommitResult result_;
};

}  // namespace tetsuro
