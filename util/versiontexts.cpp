#include "util/versiontexts.h"

#include <array>
#include <cstdio>

namespace vorelind {

namespace {

// "正規版"
constexpr char kReleaseBuild[] = "\x90\xb3\x8b\x4b\x94\xc5";
// "目的不明"
constexpr char kUnknownType[] = "\x96\xda\x93\x49\x95\x73\x96\xbe";
// "?"
constexpr char kUnknownDriver[] = "?";
// "未知の形式のフォント"
constexpr char kUnknownFont[] = "\x96\xa2\x92\x6d\x82\xcc\x8c\x60\x8e\xae\x82\xcc\x83\x74\x83\x48\x83\x93\x83\x67";

// Driver subtypes 0 to 10.
constexpr std::array<const char*, 11> kDriverLabels = {
    "\x83\x66\x83\x6f\x83\x43\x83\x58\x83\x68\x83\x89\x83\x43\x83\x6f\x81\x81\x83\x66\x83\x6f\x83\x43\x83\x58\x95\x73\x96\xbe", // "デバイスドライバ＝デバイス不明"
    "\x83\x76\x83\x8a\x83\x93\x83\x5e\x83\x68\x83\x89\x83\x43\x83\x6f", // "プリンタドライバ"
    "\x83\x4c\x81\x5b\x83\x7b\x81\x5b\x83\x68\x83\x68\x83\x89\x83\x43\x83\x6f", // "キーボードドライバ"
    "\x8c\xbe\x8c\xea\x83\x68\x83\x89\x83\x43\x83\x6f", // "言語ドライバ"
    "\x83\x66\x83\x42\x83\x58\x83\x76\x83\x8c\x83\x43\x83\x68\x83\x89\x83\x43\x83\x6f", // "ディスプレイドライバ"
    "\x83\x7d\x83\x45\x83\x58\x83\x68\x83\x89\x83\x43\x83\x6f", // "マウスドライバ"
    "\x83\x6c\x83\x62\x83\x67\x83\x8f\x81\x5b\x83\x4e\x83\x68\x83\x89\x83\x43\x83\x6f", // "ネットワークドライバ"
    "\x83\x56\x83\x58\x83\x65\x83\x80\x83\x68\x83\x89\x83\x43\x83\x6f", // "システムドライバ"
    "\x83\x43\x83\x93\x83\x58\x83\x67\x81\x5b\x83\x8b\x89\xc2\x94\x5c\x83\x68\x83\x89\x83\x43\x83\x6f", // "インストール可能ドライバ"
    "\x83\x54\x83\x45\x83\x93\x83\x68\x83\x68\x83\x89\x83\x43\x83\x6f", // "サウンドドライバ"
    "\x83\x52\x83\x7e\x83\x85\x83\x6a\x83\x50\x81\x5b\x83\x56\x83\x87\x83\x93\x83\x68\x83\x89\x83\x43\x83\x6f", // "コミュニケーションドライバ"
};

// Font subtypes 0 to 3.
constexpr std::array<const char*, 4> kFontLabels = {
    kUnknownFont,
    "\x83\x89\x83\x58\x83\x5e\x81\x5b\x83\x74\x83\x48\x83\x93\x83\x67", // "ラスターフォント"
    "\x83\x78\x83\x4e\x83\x5e\x81\x5b\x83\x74\x83\x48\x83\x93\x83\x67", // "ベクターフォント"
    "TrueType\x83\x74\x83\x48\x83\x93\x83\x67", // "TrueTypeフォント"
};

// The label at index, or the fallback beyond the table.
template <std::size_t N>
std::string labelOf(const std::array<const char*, N>& labels, std::uint32_t index, const char* fallback)
{
    return index < labels.size() ? labels[index] : fallback;
}

} // namespace

std::string osText(std::uint32_t fileOs)
{
    std::string text;
    switch (fileOs & 0xFFFF) {
    case 4: text += " Win32"; break;
    case 1: text += " Win16"; break;
    }
    switch (fileOs >> 16) {
    case 4: text += " WinNT"; break;
    case 1: text += " MS-DOS"; break;
    case 2: text += " 16bitOS"; break;
    case 3: text += " 32bitOS"; break;
    }
    return text;
}

std::string versionText(std::uint32_t fileVersionMs, std::uint32_t fileVersionLs)
{
    return std::to_string(fileVersionMs >> 16) + '.' + std::to_string(fileVersionMs & 0xFFFF) + '.'
        + std::to_string(fileVersionLs >> 16) + '.' + std::to_string(fileVersionLs & 0xFFFF);
}

std::string flagsText(std::uint32_t fileFlags)
{
    switch (fileFlags) {
    case 1: return "DEBUG\x94\xc5"; // "DEBUG版"
    case 2: return "\x8a\x4a\x94\xad\x94\xc5"; // "開発版"
    case 4: return "\x83\x70\x83\x62\x83\x60\x94\xc5"; // "パッチ版"
    case 8: return "\x83\x76\x83\x89\x83\x43\x83\x78\x81\x5b\x83\x67\x94\xc5"; // "プライベート版"
    case 16: return "\x83\x89\x83\x43\x83\x5a\x83\x93\x83\x58\x8f\xee\x95\xf1\x90\xdd\x92\xe8\x88\xd9\x8f\xed"; // "ライセンス情報設定異常"
    case 32: return "\x83\x58\x83\x79\x83\x56\x83\x83\x83\x8b\x83\x72\x83\x8b\x83\x68\x94\xc5"; // "スペシャルビルド版"
    default: return kReleaseBuild; // 0 and every combination of flags
    }
}

std::string typeText(std::uint32_t fileType, std::uint32_t fileSubtype)
{
    switch (fileType) {
    case 1: return "\x83\x41\x83\x76\x83\x8a\x83\x50\x81\x5b\x83\x56\x83\x87\x83\x93"; // "アプリケーション"
    case 2: return "DLL";
    case 3: return labelOf(kDriverLabels, fileSubtype, kUnknownDriver);
    case 4: return labelOf(kFontLabels, fileSubtype, kUnknownFont);
    case 5: return "\x89\xbc\x91\x7a\x83\x66\x83\x6f\x83\x43\x83\x58"; // "仮想デバイス"
    case 7: // "スタティックリンクライブラリ"
        return "\x83\x58\x83\x5e\x83\x65\x83\x42\x83\x62\x83\x4e\x83\x8a\x83\x93\x83\x4e\x83\x89\x83\x43\x83\x75\x83\x89\x83\x8a";
    default: return kUnknownType; // 0, 6 and every other value
    }
}

std::string stringTableKey(std::uint32_t language, std::uint32_t codePage)
{
    char key[24];
    std::snprintf(key, sizeof key, "%.4X%.4X", static_cast<unsigned>(language), static_cast<unsigned>(codePage));
    return key;
}

} // namespace vorelind
