#pragma once

// The settings messages as Shift-JIS bytes; the UTF-8 form stands beside each.
// "ファイル %s を作成できません" and "ファイル %s は開けません" are shared with the
// document files, in platform/files/messages.h.

namespace vorelind::messages {

// "'%s' のデータ型が不正です"
inline constexpr char kWrongValueType[] = "'%s' \x82\xcc\x83\x66\x81\x5b\x83\x5e\x8c\x5e\x82\xaa\x95\x73\x90\xb3\x82\xc5\x82\xb7";
// "キー %s の作成に失敗しました"
inline constexpr char kKeyNotCreated[] =
    "\x83\x4c\x81\x5b %s \x82\xcc\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd";
// "'%s' の設定に失敗しました"
inline constexpr char kValueNotStored[] = "'%s' \x82\xcc\x90\xdd\x92\xe8\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd";
// "'%s' の取得に失敗しました"
inline constexpr char kValueNotRead[] = "'%s' \x82\xcc\x8e\xe6\x93\xbe\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd";

} // namespace vorelind::messages
