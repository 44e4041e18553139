#pragma once
// Opens resource files and scratch-pad (save) files by address.
//   "resource:///name"        -> <resource folder>/name
//   "scratchpad:///0;pos=P"   -> <data folder>/savedata_P.bin
// Other addresses are taken as plain file paths. A namespace rather than a
// class, so the network half can add Connector::open in its own files.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "support/data_input_stream.h"
#include "support/data_output_stream.h"
#include "support/input_stream.h"

namespace tetsuro::Connector {

inline constexpr int READ_WRITE = 0;

// An empty path returns to the default (see data_paths.h).
void setResourceDir(std::string path);
void setDataDir(std::string path);
std::string resourceDir();
std::string dataDir();

// File path of a resource or plain address.
std::string resolve(std::string_view address);

// File path of a scratch-pad address; nullopt when it is not one or its
// position is not a plain name (only letters, digits, '_' and '-', so that no
// address can reach outside the data folder).
std::optional<std::string> savedataPath(std::string_view address);

// IOException when the file cannot be opened.
InputStream openInputStream(std::string_view address);

// FileNotFoundException (an IOException) when the file cannot be opened.
DataInputStream openDataInputStream(std::string_view address);

// Null when the file is missing or cannot be opened.
std::unique_ptr<DataInputStream> openDataInputStream_savedata(std::string_view address);

// A stream into a new version of the scratch-pad file; the data folder is
// created when missing. The old file stays until the stream's close()
// publishes the new one (keeping the old one as ".bak"); close() returns
// false when anything failed. Null when the file cannot be created; then
// `message` (if given) receives the text for the player.
std::unique_ptr<DataOutputStream> openDataOutputStream(std::string_view address,
                                                       std::string* message = nullptr);

// "ファイル savedata_<position>.bin のオープンに失敗しました\nErrNo=<code>\n<text>"
// (UTF-8). Code and text are the system's; a refused address has code 0.
std::string openFailureMessage(std::string_view position, int code, const std::string& text);

}  // namespace tetsuro::Connector
