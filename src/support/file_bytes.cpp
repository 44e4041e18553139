#include "support/file_bytes.h"

#include <string>

#include "support/connector.h"
#include "support/errors.h"
#include "support/file_transfer.h"
#include "support/os_file.h"

namespace tetsuro::VelJLib {

std::vector<std::int8_t> readFileBytes(std::string_view path) {
    std::string name = Connector::resolve(path);
    os::Error e;
    auto file = os::openRead(name, &e);
    if (!file) throw FileNotFoundException("cannot open " + name + ": " + e.text);
    std::vector<std::int8_t> bytes;
    if (!os::readToEnd(*file, bytes, &e)) throw IOException("cannot read " + name + ": " + e.text);
    return bytes;
}

}  // namespace tetsuro::VelJLib
