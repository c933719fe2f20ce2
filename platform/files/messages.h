#pragma once

// The messages about files as Shift-JIS bytes; the UTF-8 form stands beside each.

namespace vorelind::messages {

// "ファイル %s を作成できません"
inline constexpr char kCannotCreateFile[] = "\x83\x74\x83\x40\x83\x43\x83\x8b %s \x82\xf0\x8d\xec\x90\xac\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1";
// "ファイル %s は開けません"
inline constexpr char kCannotOpenFile[] = "\x83\x74\x83\x40\x83\x43\x83\x8b %s \x82\xcd\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1";

} // namespace vorelind::messages
