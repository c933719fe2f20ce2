#pragma once

// The About dialog's texts as Shift-JIS bytes; the UTF-8 form stands beside each.

namespace vorelind::messages {

// "バージョン情報": the dialog's caption
inline constexpr char kAboutCaption[] = "\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93\x8f\xee\x95\xf1";
inline constexpr char kProductName[] = "Vorelind";
// "お問い合せ"
inline constexpr char kContactLabel[] = "\x82\xa8\x96\xe2\x82\xa2\x8d\x87\x82\xb9";
// The contact address: a reserved example domain, which reaches nobody.
inline constexpr char kContactAddress[] = "info@example.com";
inline constexpr char kVersionPrefix[] = "Ver.";
inline constexpr char kRemarksPrefix[] = "Remarks:";
// CR LF + "Nkf" + the library's version + "を使用"
inline constexpr char kNkfHead[] = "\r\nNkf";
inline constexpr char kNkfTail[] = "\x82\xf0\x8e\x67\x97\x70";
inline constexpr char kCopyrightPrefix[] = "Copyright:";
// "実行するように設定されていません", captioned "無効": a press on a label
// that may not launch
inline constexpr char kNotExecutable[] = "\x8e\xc0\x8d\x73\x82\xb7\x82\xe9\x82\xe6\x82\xa4\x82\xc9\x90\xdd\x92\xe8"
                                         "\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1";
inline constexpr char kNotExecutableCaption[] = "\x96\xb3\x8c\xf8";

} // namespace vorelind::messages
