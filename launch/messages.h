#pragma once

// The launch texts as Shift-JIS bytes; the UTF-8 form stands beside each.

namespace vorelind::messages {

// "ブラウザを起動します": the status text of "画面表示"
inline constexpr char kStartingBrowser[] = "\x83\x75\x83\x89\x83\x45\x83\x55\x82\xf0\x8b\x4e\x93\xae\x82\xb5\x82\xdc\x82\xb7";
// "ヘルプファイル" + help path + "がありません"
inline constexpr char kHelpMissingHead[] = "\x83\x77\x83\x8b\x83\x76\x83\x74\x83\x40\x83\x43\x83\x8b";
inline constexpr char kHelpMissingTail[] = "\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";
// "目次表示不可"
inline constexpr char kHelpMissingCaption[] = "\x96\xda\x8e\x9f\x95\x5c\x8e\xa6\x95\x73\x89\xc2";
// The line-analysis tool's name and the blank after it.
inline constexpr char kLineAnalysisTool[] = "kivalter ";
inline constexpr char kWorkFileName[] = "w.htm";
inline constexpr char kHelpExtension[] = ".chm";

} // namespace vorelind::messages
