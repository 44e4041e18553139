#pragma once
// Operating-system file adapter: the one unit that talks to the system's file
// calls. Everything above it (streams, atomic writer, opener) is portable; a
// Windows build supplies its own os_file.cpp behind this header.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tetsuro::os {

// A failure as the system reported it: its error number and its own text.
struct Error {
    int code = 0;
    std::string text;
};

// Outcome of one primitive transfer. It may move fewer bytes than asked for;
// `interrupted` means nothing moved and the call is simply repeated.
struct Transfer {
    std::size_t count = 0;
    bool failed = false;
    bool interrupted = false;
    Error error;
};

// An open file. Closing happens at destruction at the latest; close() exists
// so that writers can see the result.
class File {
public:
    virtual ~File() = default;
    virtual Transfer readSome(void* dst, std::size_t len) = 0;
    virtual Transfer writeSome(const void* src, std::size_t len) = 0;
    virtual bool sync(Error* err) = 0;
    // Size in bytes; nullopt for things without one (pipes, devices).
    virtual std::optional<std::uint64_t> size() = 0;
    // Safe to call twice; the second call does nothing and succeeds.
    virtual bool close(Error* err) = 0;
};

enum class Kind { Missing, File, Folder, Other };

// Opens an existing file for reading. A folder is refused.
std::unique_ptr<File> openRead(const std::string& path, Error* err);

// Creates a file that must not exist yet, for writing.
std::unique_ptr<File> createNew(const std::string& path, Error* err);

// Removes a file; a missing file counts as removed.
bool removeFile(const std::string& path, Error* err);

// Puts `from` in place of `to` in one step. With a non-empty `backup`, an
// existing `to` is kept under that name first (replacing an older backup).
bool replaceFile(const std::string& from, const std::string& to,
                 const std::string& backup, Error* err);

// Makes a completed rename in `folder` survive a power cut.
bool syncFolder(const std::string& folder, Error* err);

// Creates `folder` and any missing parents.
bool makeFolders(const std::string& folder, Error* err);

Kind kindOf(const std::string& path);

// Full path of the running program; empty when the system cannot tell.
std::string executablePath();

}  // namespace tetsuro::os
