#include "support/atomic_file.h"


#include "support/file_transfer.h"

namespace tetsuro {
namespace {

// Small writes (one value at a time from the data streams) are gathered so
// that the system sees a few large writes.
constexpr std::size_t kFlushSize = 64 * 1024;

// Tried in turn until one does not exist yet, so that two writers of one
// target never share a temporary file.
constexpr int kTempAttempts = 100;

std::string folderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string target, bool keepBackup)
    : target_(std::move(target)), keepBackup_(keepBackup) {
    os::Error e;
    for (int i = 0; i < kTempAttempts && !file_; ++i) {
        temp_ = target_ + ".tmp" + (i == 0 ? std::string() : std::to_string(i));
        file_ = os::createNew(temp_, &e);
        if (!file_ && os::kindOf(temp_) == os::Kind::Missing) break;  // not a name clash
    }
    if (!file_) {
        failWith("cannot create a temporary file for", e);
        temp_.clear();
        finished_ = true;
        result_ = {false, error_};
    }
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!finished_) abandon();
}

bool AtomicFileWriter::failWith(const std::string& what, const os::Error& e) {
    if (error_.empty()) {
        error_ = what + " " + target_ + ": " + e.text;
        systemError_ = e;
    }
    return false;
}

bool AtomicFileWriter::write(const void* data, std::size_t len) {
    if (finished_) {
        if (error_.empty()) error_ = "write after commit to " + target_;
        return false;
    }
    if (!ok() || len == 0) return ok();
    const auto* p = static_cast<const std::int8_t*>(data);
    pending_.insert(pending_.end(), p, p + len);
    if (pending_.size() >= kFlushSize) flush();
    return ok();
}

bool AtomicFileWriter::flush() {
    if (!ok()) return false;
    if (pending_.empty()) return true;
    os::Transfer t = os::writeFully(*file_, pending_.data(), pending_.size());
    pending_.clear();
    if (t.failed) return failWith("cannot write", t.error);
    return true;
}

CommitResult AtomicFileWriter::commit() {
    if (finished_) return result_;
    os::Error e;
    bool done = flush();
    if (done && !file_->sync(&e)) done = failWith("cannot sync", e);
    if (done && !file_->close(&e)) done = failWith("cannot close", e);
    if (done && !os::replaceFile(temp_, target_, keepBackup_ ? target_ + ".bak" : std::string(), &e)) {
        done = failWith("cannot replace", e);
    }
    if (!done) {
        abandon();
        return result_;
    }
    finished_ = true;
    file_.reset();
    // The new content is in place by now; a folder that will not sync is
    // still reported, as the rename might not survive a power cut.
    if (!os::syncFolder(folderOf(target_), &e)) failWith("cannot sync the folder of", e);
    result_ = {ok(), error_};
    return result_;
}

void AtomicFileWriter::abandon() {
    if (finished_) return;
    finished_ = true;
    pending_.clear();
    if (file_) {
        os::Error ignored;
        file_->close(&ignored);
        file_.reset();
        os::removeFile(temp_, &ignored);
    }
    if (error_.empty()) error_ = "abandoned before commit: " + target_;
    result_ = {false, error_};
}

}  // namespace tetsuro
