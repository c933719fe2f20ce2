#pragma once

// The document messages as Shift-JIS bytes; the UTF-8 form stands beside each.

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
// "ファイル %s を作成できません"
inline constexpr char kCannotCreateFile[] = "\x83\x74\x83\x40\x83\x43\x83\x8b %s \x82\xf0\x8d\xec\x90\xac\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1";
// "「" and "」" around the document title
inline constexpr char kTitleOpen[] = "\x81\x75";
inline constexpr char kTitleClose[] = "\x81\x76";
// "　オリジナル", "　インデント", "　構造化": tab captions after the title
inline constexpr char kOriginalTabSuffix[] = "\x81\x40\x83\x49\x83\x8a\x83\x57\x83\x69\x83\x8b";
inline constexpr char kIndentedTabSuffix[] = "\x81\x40\x83\x43\x83\x93\x83\x66\x83\x93\x83\x67";
inline constexpr char kStructureTabSuffix[] = "\x81\x40\x8d\x5c\x91\xa2\x89\xbb";

} // namespace vorelind::messages
