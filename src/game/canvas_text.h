#pragma once
// Texts the frame cycle shows through the host (UTF-8).
namespace tetsuro {

inline constexpr const char* kOutOfMemoryMessage =
    "メモリが足りませんよ～\n一度アプリを終了して下さいませ\nこのまま続行しないでね";
inline constexpr const char* kInternalErrorPrefix = "内部エラー: ";

}  // namespace tetsuro
