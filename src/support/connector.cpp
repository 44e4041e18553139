#include "support/connector.h"

#include "support/atomic_file.h"
#include "support/data_paths.h"
#include "support/errors.h"
#include "support/os_file.h"

namespace tetsuro::Connector {
namespace {

constexpr std::string_view kResourcePrefix = "resource:///";
constexpr std::string_view kScratchPrefix = "scratchpad:///0;pos=";
constexpr std::size_t kMaxPositionLength = 64;

// Chosen once per run unless set; the defaults ask the system.
std::optional<std::string>& resourceSetting() {
    static std::optional<std::string> dir;
    return dir;
}

std::optional<std::string>& dataSetting() {
    static std::optional<std::string> dir;
    return dir;
}

bool isPlainName(std::string_view s) {
    if (s.empty() || s.size() > kMaxPositionLength) return false;
    for (char c : s) {
        bool ok = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                  c == '_' || c == '-';
        if (!ok) return false;
    }
    return true;
}

std::string_view positionOf(std::string_view address) {
    return address.substr(kScratchPrefix.size());
}

}  // namespace

void setResourceDir(std::string path) {
    if (path.empty()) {
        resourceSetting().reset();
    } else {
        resourceSetting() = std::move(path);
    }
}

void setDataDir(std::string path) {
    if (path.empty()) {
        dataSetting().reset();
    } else {
        dataSetting() = std::move(path);
    }
}

std::string resourceDir() {
    if (!resourceSetting()) resourceSetting() = defaultResourceDir();
    return *resourceSetting();
}

std::string dataDir() {
    if (!dataSetting()) dataSetting() = defaultDataDir();
    return *dataSetting();
}

std::string resolve(std::string_view address) {
    if (address.starts_with(kResourcePrefix)) {
        return joinPath(resourceDir(), std::string(address.substr(kResourcePrefix.size())));
    }
    return std::string(address);
}

std::optional<std::string> savedataPath(std::string_view address) {
    if (!address.starts_with(kScratchPrefix)) return std::nullopt;
    std::string_view pos = positionOf(address);
    if (!isPlainName(pos)) return std::nullopt;
    return joinPath(dataDir(), "savedata_" + std::string(pos) + ".bin");
}

InputStream openInputStream(std::string_view address) {
    std::string path = resolve(address);
    os::Error e;
    auto file = os::openRead(path, &e);
    if (!file) throw IOException("cannot open " + path + ": " + e.text);
    return InputStream(std::move(file));
}

DataInputStream openDataInputStream(std::string_view address) {
    return DataInputStream(FileInputStream(resolve(address)));
}

std::unique_ptr<DataInputStream> openDataInputStream_savedata(std::string_view address) {
    auto path = savedataPath(address);
    if (!path) return nullptr;
    os::Error e;
    auto file = os::openRead(*path, &e);
    if (!file) return nullptr;
    return std::make_unique<DataInputStream>(InputStream(std::move(file)));
}

std::unique_ptr<DataOutputStream> openDataOutputStream(std::string_view address,
                                                       std::string* message) {
    auto report = [&](std::string_view position, int code, const std::string& text) {
        if (message) *message = openFailureMessage(position, code, text);
        return nullptr;
    };
    std::string_view position =
        address.starts_with(kScratchPrefix) ? positionOf(address) : address;
    auto path = savedataPath(address);
    if (!path) return report(position, 0, "not a scratch-pad address: " + std::string(address));

    os::Error e;
    if (!os::makeFolders(dataDir(), &e)) return report(position, e.code, e.text);
    auto writer = std::make_unique<AtomicFileWriter>(*path, /*keepBackup=*/true);
    if (!writer->ok()) {
        return report(position, writer->systemError().code, writer->systemError().text);
    }
    return std::make_unique<DataOutputStream>(OutputStream(std::move(writer)));
}

std::string openFailureMessage(std::string_view position, int code, const std::string& text) {
    return "ファイル savedata_" + std::string(position) + ".bin のオープンに失敗しました\nErrNo=" +
           std::to_string(code) + "\n" + text;
}

}  // namespace tetsuro::Connector
