#pragma once

// The document messages as Shift-JIS bytes; the UTF-8 form stands beside each.
// The messages about files that cannot be opened or made come with them.

#include "platform/files/messages.h"

namespace vorelind::messages {

// "誰かがそのファイル" + file name + "を握っていませんか"
inline constexpr char kOpenFailureHead[] = "\x92\x4e\x82\xa9\x82\xaa\x82\xbb\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b";
inline constexpr char kOpenFailureTail[] = "\x82\xf0\x88\xac\x82\xc1\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\x82\xa9";
// "I/Oエラー"
inline constexpr char kOpenFailureCaption[] = "I/O\x83\x47\x83\x89\x81\x5b";
// file name + "はテキストファイルではないのでは？"
inline constexpr char kNotTextTail[] = "\x82\xcd\x83\x65\x83\x4c\x83\x58\x83\x67\x83\x74\x83\x40\x83\x43\x83\x8b"
                                       "\x82\xc5\x82\xcd\x82\xc8\x82\xa2\x82\xcc\x82\xc5\x82\xcd\x81\x48";
// "読めません"
inline constexpr char kNotTextCaption[] = "\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1";
// The platform's error for a file that ends before the text check decides.
inline constexpr char kEndOfFile[] = "Read beyond end of file";
// "インデントの結果が %s バイトを超えたため中止しました。閉じないタグは除外タグに加えてください"
inline constexpr char kListingTooLarge[] = "\x83\x43\x83\x93\x83\x66\x83\x93\x83\x67\x82\xcc\x8c\x8b\x89\xca\x82\xaa %s "
                                           "\x83\x6f\x83\x43\x83\x67\x82\xf0\x92\xb4\x82\xa6\x82\xbd\x82\xbd\x82\xdf\x92\x86"
                                           "\x8e\x7e\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42\x95\xc2\x82\xb6\x82\xc8\x82\xa2"
                                           "\x83\x5e\x83\x4f\x82\xcd\x8f\x9c\x8a\x4f\x83\x5e\x83\x4f\x82\xc9\x89\xc1\x82\xa6"
                                           "\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2";
// "ファイル %s は大きすぎるため処理できません"
inline constexpr char kSourceTooLarge[] = "\x83\x74\x83\x40\x83\x43\x83\x8b %s \x82\xcd\x91\xe5\x82\xab\x82\xb7\x82\xac"
                                          "\x82\xe9\x82\xbd\x82\xdf\x8f\x88\x97\x9d\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1";
// "「" and "」" around the document title
inline constexpr char kTitleOpen[] = "\x81\x75";
inline constexpr char kTitleClose[] = "\x81\x76";
// "　オリジナル", "　インデント", "　構造化": tab captions after the title
inline constexpr char kOriginalTabSuffix[] = "\x81\x40\x83\x49\x83\x8a\x83\x57\x83\x69\x83\x8b";
inline constexpr char kIndentedTabSuffix[] = "\x81\x40\x83\x43\x83\x93\x83\x66\x83\x93\x83\x67";
inline constexpr char kStructureTabSuffix[] = "\x81\x40\x8d\x5c\x91\xa2\x89\xbb";

} // namespace vorelind::messages
