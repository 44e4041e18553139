#include "support/os_file.h"

#include <cerrno>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// POSIX implementation of the file adapter.
namespace tetsuro::os {
namespace {

Error errorFrom(int code) {
    return Error{code, std::system_category().message(code)};
}

bool fail(Error* err, int code) {
    if (err) *err = errorFrom(code);
    return false;
}

class PosixFile final : public File {
public:
    explicit PosixFile(int fd) : fd_(fd) {}
    ~PosixFile() override {
        if (fd_ >= 0) ::close(fd_);
    }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    Transfer readSome(void* dst, std::size_t len) override {
        Transfer t;
        if (fd_ < 0) return closedTransfer();
        ssize_t n = ::read(fd_, dst, len);
        finish(t, n);
        return t;
    }

    Transfer writeSome(const void* src, std::size_t len) override {
        Transfer t;
        if (fd_ < 0) return closedTransfer();
        ssize_t n = ::write(fd_, src, len);
        finish(t, n);
        return t;
    }

    bool sync(Error* err) override {
        if (fd_ < 0) return fail(err, EBADF);
        while (::fsync(fd_) != 0) {
            if (errno != EINTR) return fail(err, errno);
        }
        return true;
    }

    std::optional<std::uint64_t> size() override {
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
        return static_cast<std::uint64_t>(st.st_size);
    }

    bool close(Error* err) override {
        if (fd_ < 0) return true;
        int fd = fd_;
        fd_ = -1;
        // After EINTR the descriptor is gone on Linux; retrying could close
        // someone else's file, so only a real error is reported.
        if (::close(fd) != 0 && errno != EINTR) return fail(err, errno);
        return true;
    }

private:
    static Transfer closedTransfer() {
        Transfer t;
        t.failed = true;
        t.error = errorFrom(EBADF);
        return t;
    }

    static void finish(Transfer& t, ssize_t n) {
        if (n >= 0) {
            t.count = static_cast<std::size_t>(n);
        } else if (errno == EINTR) {
            t.interrupted = true;
        } else {
            t.failed = true;
            t.error = errorFrom(errno);
        }
    }

    int fd_;
};

int openRetrying(const char* path, int flags, mode_t mode) {
    int fd;
    do {
        fd = ::open(path, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

std::string parentOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

std::unique_ptr<File> openRead(const std::string& path, Error* err) {
    int fd = openRetrying(path.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0) {
        fail(err, errno);
        return nullptr;
    }
    // A folder opens fine but cannot be read; refuse it here, where the
    // caller still treats the failure as "cannot open".
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        fail(err, EISDIR);
        return nullptr;
    }
    return std::make_unique<PosixFile>(fd);
}

std::unique_ptr<File> createNew(const std::string& path, Error* err) {
    int fd = openRetrying(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        fail(err, errno);
        return nullptr;
    }
    return std::make_unique<PosixFile>(fd);
}

bool removeFile(const std::string& path, Error* err) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return fail(err, errno);
    return true;
}

bool replaceFile(const std::string& from, const std::string& to,
                 const std::string& backup, Error* err) {
    if (!backup.empty() && kindOf(to) == Kind::File) {
        if (!removeFile(backup, err)) return false;
        // A second name for the old file keeps `to` present throughout; only
        // where links are not supported does the old file move aside.
        if (::link(to.c_str(), backup.c_str()) != 0) {
            if (::rename(to.c_str(), backup.c_str()) != 0) return fail(err, errno);
        }
    }
    if (::rename(from.c_str(), to.c_str()) != 0) return fail(err, errno);
    return true;
}

bool syncFolder(const std::string& folder, Error* err) {
    int fd = openRetrying(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return fail(err, errno);
    int rc;
    do {
        rc = ::fsync(fd);
    } while (rc != 0 && errno == EINTR);
    int code = rc != 0 ? errno : 0;
    ::close(fd);
    // Some file systems cannot sync a folder at all; nothing more can be done there.
    if (rc != 0 && code != EINVAL && code != ENOTSUP) return fail(err, code);
    return true;
}

bool makeFolders(const std::string& folder, Error* err) {
    if (folder.empty()) return fail(err, ENOENT);
    Kind k = kindOf(folder);
    if (k == Kind::Folder) return true;
    if (k != Kind::Missing) return fail(err, ENOTDIR);
    std::string parent = parentOf(folder);
    if (parent != folder && !makeFolders(parent, err)) return false;
    if (::mkdir(folder.c_str(), 0777) != 0) {
        // Another writer may have made it in between.
        if (errno == EEXIST && kindOf(folder) == Kind::Folder) return true;
        return fail(err, errno);
    }
    return true;
}

Kind kindOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return Kind::Missing;
    if (S_ISREG(st.st_mode)) return Kind::File;
    if (S_ISDIR(st.st_mode)) return Kind::Folder;
    return Kind::Other;
}

std::string executablePath() {
    std::vector<char> buf(256);
    for (;;) {
        ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0) return {};
        if (static_cast<std::size_t>(n) < buf.size()) return std::string(buf.data(), static_cast<std::size_t>(n));
        buf.resize(buf.size() * 2);
    }
}

}  // namespace tetsuro::os
