#pragma once

// The messages of the settings store as Shift-JIS bytes; the UTF-8 form
// stands beside each.

namespace vorelind::messages {

// "設定ファイル %s を読めません"
inline constexpr char kStoreUnreadable[] =
    "\x90\xdd\x92\xe8\x83\x74\x83\x40\x83\x43\x83\x8b %s \x82\xf0\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1";
// "設定ファイル %s の書式が不正です", %s being the file and the line, "file:line"
inline constexpr char kStoreMalformed[] =
    "\x90\xdd\x92\xe8\x83\x74\x83\x40\x83\x43\x83\x8b %s \x82\xcc\x8f\x91\x8e\xae\x82\xaa\x95\x73\x90\xb3\x82\xc5\x82\xb7";

} // namespace vorelind::messages
