#include "platform/version/commonutil.h"

#include "platform/version/versioninfo.h"
#include "util/versiontexts.h"

#include <array>
#include <vector>

namespace vorelind {

namespace {

// VS_FIXEDFILEINFO: the fields read, by their byte offset.
constexpr std::size_t kFixedInfoSize = 52;
constexpr std::size_t kFileVersionMs = 8;
constexpr std::size_t kFileVersionLs = 12;
constexpr std::size_t kFileFlags = 28;
constexpr std::size_t kFileOs = 32;
constexpr std::size_t kFileType = 36;
constexpr std::size_t kFileSubtype = 40;

constexpr std::array<const char*, 12> kStringNames = {
    "Comments",        "CompanyName",      "FileDescription", "FileVersion",
    "InternalName",    "LegalCopyright",   "LegalTrademarks", "OriginalFilename",
    "PrivateBuild",    "ProductName",      "ProductVersion",  "SpecialBuild",
};

std::uint32_t field(const void* data, std::size_t offset)
{
    const auto* bytes = static_cast<const unsigned char*>(data) + offset;
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

// The record of a file, read into a buffer one byte larger than its size.
class RecordBuffer {
public:
    RecordBuffer(const std::string& fileName, std::uint32_t size)
        : m_bytes(std::size_t{size} + 1)
        , m_read(fileVersionInfo(fileName, size, m_bytes.data()))
    {
    }

    bool isRead() const { return m_read; }

    // Finds a value; binary values must hold at least minimumLength bytes.
    const char* value(const std::string& subBlock, std::size_t minimumLength = 0)
    {
        void* found = nullptr;
        std::uint32_t length = 0;
        if (!m_read || !verQueryValue(m_bytes.data(), subBlock, found, length) || length < minimumLength)
            return nullptr;
        return static_cast<const char*>(found);
    }

    // The fixed part, when the record has a whole one.
    const char* fixedPart() { return value("\\", kFixedInfoSize); }

private:
    std::vector<char> m_bytes;
    bool m_read;
};

void setFixedTexts(const char* fixed, std::string& OSText, std::string& VersionText, std::string& FlagsText,
                   std::string& TypeText)
{
    OSText = osText(field(fixed, kFileOs));
    VersionText = versionText(field(fixed, kFileVersionMs), field(fixed, kFileVersionLs));
    FlagsText = flagsText(field(fixed, kFileFlags));
    TypeText = typeText(field(fixed, kFileType), field(fixed, kFileSubtype));
}

} // namespace

void TCommonUtil::GetFixedVersionInfo(const std::string& fileName, std::string& OSText, std::string& VersionText,
                                      std::string& FlagsText, std::string& TypeText)
{
    // No early return on size 0: such a record simply fails to read.
    RecordBuffer record(fileName, fileVersionInfoSize(fileName));
    if (const char* fixed = record.fixedPart())
        setFixedTexts(fixed, OSText, VersionText, FlagsText, TypeText);
}

void TCommonUtil::GetVersionInfo(const std::string& fileName, std::string& OSText, std::string& VersionText,
                                 std::string& FlagsText, std::string& TypeText, std::string& Comments,
                                 std::string& CompanyName, std::string& FileDescription, std::string& FileVersion,
                                 std::string& InternalName, std::string& LegalCopyright,
                                 std::string& LegalTrademarks, std::string& OriginalFilename,
                                 std::string& PrivateBuild, std::string& ProductName, std::string& ProductVersion,
                                 std::string& SpecialBuild)
{
    const std::array<std::string*, 12> strings = {&Comments,        &CompanyName,    &FileDescription,
                                                  &FileVersion,     &InternalName,   &LegalCopyright,
                                                  &LegalTrademarks, &OriginalFilename, &PrivateBuild,
                                                  &ProductName,     &ProductVersion, &SpecialBuild};
    for (std::string* output : {&OSText, &VersionText, &FlagsText, &TypeText})
        output->clear();
    for (std::string* output : strings)
        output->clear();

    const std::uint32_t size = fileVersionInfoSize(fileName);
    if (size == 0)
        return;
    RecordBuffer record(fileName, size);
    if (!record.isRead())
        return;
    if (const char* fixed = record.fixedPart())
        setFixedTexts(fixed, OSText, VersionText, FlagsText, TypeText);
    const char* translation = record.value("\\VarFileInfo\\Translation", 4);
    if (!translation)
        return;
    // The first translation entry: language in its low half, code page in its high half.
    const std::uint32_t entry = field(translation, 0);
    const std::string table = "\\StringFileInfo\\" + stringTableKey(entry & 0xFFFF, entry >> 16) + '\\';
    for (std::size_t i = 0; i < kStringNames.size(); ++i) {
        if (const char* text = record.value(table + kStringNames[i]))
            *strings[i] = text;
    }
}

} // namespace vorelind
