#include "settings/settings.h"

#include "platform/store/registry.h"
#include "settings/messages.h"
#include "util/apperror.h"
#include "util/filename.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vorelind {

namespace {

constexpr char kCompanyKey[] = "SOFTWARE\\ZEMBRAKO\\";
constexpr char kSection[] = "HTMLTREESTRUCT";
constexpr char kMaskName[] = "MASK";
constexpr char kFolderName[] = "DIRECTORY";
constexpr char kConversionName[] = "NKF";

// Closes a key when its reading or writing ends, an error included.
class OpenKey {
public:
    OpenKey(Registry& registry, RegistryKey key)
        : m_registry(registry)
        , m_key(key)
    {
    }
    ~OpenKey() { m_registry.closeKey(m_key); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    RegistryKey key() const { return m_key; }

private:
    Registry& m_registry;
    RegistryKey m_key;
};

RegistryKey openProgramKey(Registry& registry, const std::string& programName)
{
    const std::string path = kCompanyKey + programName;
    RegistryKey key = 0;
    if (registry.createKey(kCurrentUser, path + '\\', key) != RegistryStatus::Success)
        throw AppError(formatMessage(messages::kKeyNotCreated, path));
    return key;
}

// Returns the stored text, or nothing when the section or the value is absent.
std::optional<std::string> readValue(Registry& registry, RegistryKey programKey, const std::string& name)
{
    RegistryKey sectionKey = 0;
    if (registry.openKey(programKey, kSection, sectionKey) != RegistryStatus::Success)
        return std::nullopt;
    const OpenKey section(registry, sectionKey);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (registry.queryValueType(section.key(), name, type, size) != RegistryStatus::Success)
        return std::nullopt;
    if (type != kRegSz && type != kRegExpandSz)
        throw AppError(formatMessage(messages::kWrongValueType, name));
    std::string data;
    if (registry.queryValueData(section.key(), name, size, data) != RegistryStatus::Success)
        throw AppError(formatMessage(messages::kValueNotRead, name));
    return data.substr(0, data.find('\0'));
}

void writeValue(Registry& registry, RegistryKey programKey, const std::string& name, const std::string& text)
{
    RegistryKey sectionKey = 0;
    if (registry.createKey(programKey, kSection, sectionKey) != RegistryStatus::Success)
        throw AppError(formatMessage(messages::kKeyNotCreated, kSection));
    const OpenKey section(registry, sectionKey);
    if (registry.setStringValue(section.key(), name, text) != RegistryStatus::Success)
        throw AppError(formatMessage(messages::kValueNotStored, name));
}

// Reads an integer: leading blanks, an optional sign, then decimal digits,
// or hexadecimal digits after "$" or "0x", within 32 bits. Anything else,
// the empty text included, is no integer.
std::optional<long long> integerOf(std::string_view text)
{
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);
    int base = 10;
    unsigned long long limit = negative ? 0x80000000ULL : 0x7FFFFFFFULL;
    if (text.starts_with('$') || text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(text.starts_with('$') ? 1 : 2);
        base = 16;
        limit = 0xFFFFFFFFULL;
    }
    unsigned long long magnitude = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, magnitude, base);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || magnitude > limit)
        return std::nullopt;
    const auto value = static_cast<long long>(magnitude);
    return negative ? -value : value;
}

// Any integer but 0 is on; an absent value or one that is no integer is on too.
bool conversionOption(const std::optional<std::string>& stored)
{
    const std::optional<long long> number = stored ? integerOf(*stored) : std::nullopt;
    return !number || *number != 0;
}

} // namespace

std::string programNameOf(const std::string& executablePath)
{
    const std::string name = fileNameOf(executablePath);
    // A leading dot names a hidden file, not an extension.
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

void readSettings(SettingsViews& views, const std::string& programName)
{
    readSettings(views, programName, *currentUserRegistry());
}

void writeSettings(const SettingsViews& views, const std::string& programName)
{
    writeSettings(views, programName, *currentUserRegistry());
}

void readSettings(SettingsViews& views, const std::string& programName, Registry& registry)
{
    const OpenKey programKey(registry, openProgramKey(registry, programName));
    views.setFileMask(readValue(registry, programKey.key(), kMaskName).value_or(kDefaultFileMask));
    const std::string folder = readValue(registry, programKey.key(), kFolderName).value_or(defaultFolder());
    // An empty folder leaves the folder list where it is.
    if (!folder.empty())
        views.setFolder(folder);
    views.setConvertsToShiftJis(conversionOption(readValue(registry, programKey.key(), kConversionName)));
}

void writeSettings(const SettingsViews& views, const std::string& programName, Registry& registry)
{
    const OpenKey programKey(registry, openProgramKey(registry, programName));
    writeValue(registry, programKey.key(), kMaskName, views.fileMask());
    writeValue(registry, programKey.key(), kFolderName, views.folder());
    writeValue(registry, programKey.key(), kConversionName, views.convertsToShiftJis() ? "1" : "0");
}

std::string defaultFolder()
{
#ifdef _WIN32
    return "C:\\";
#else
    return "/";
#endif
}

} // namespace vorelind
