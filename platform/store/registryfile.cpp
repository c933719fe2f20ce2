#include "platform/store/registryfile.h"

#include "platform/files/lockedfile.h"
#include "platform/files/wholefile.h"
#include "platform/store/messages.h"
#include "util/apperror.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorelind {

namespace {

constexpr char kFolderName[] = "vorelind";
constexpr char kFileName[] = "registry.reg";

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string configFolder()
{
    // Relative settings are ignored, as the XDG base directory rules say.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return config;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.config";
    const passwd* user = ::getpwuid(::getuid());
    return std::string(user ? user->pw_dir : "") + "/.config";
}

bool makeFolders(const std::string& folder)
{
    struct stat info;
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    if (errno != ENOENT)
        return false;
    const std::string parent = folderOf(folder);
    if (parent != folder && !makeFolders(parent))
        return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

bool openableForWriting(const std::string& path)
{
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    ::close(descriptor);
    return true;
}

// Adds the key and every key above it that is missing; returns whether any was.
bool addKey(std::vector<RegFileKey>& keys, const std::string& path)
{
    bool added = false;
    std::string prefix;
    for (const std::string& name : keyPathNames(path)) {
        prefix = joinKeyPath(prefix, name);
        if (!findRegFileKey(keys, prefix)) {
            keys.push_back(RegFileKey{prefix, {}});
            added = true;
        }
    }
    return added;
}

} // namespace

RegistryFile::RegistryFile(std::string path)
    : m_path(std::move(path))
    , m_folder(folderOf(m_path))
{
    m_openKeys[kCurrentUser] = {};
}

std::string RegistryFile::defaultPath()
{
    return configFolder() + '/' + kFolderName + '/' + kFileName;
}

RegistryStatus RegistryFile::createKey(RegistryKey parent, const std::string& path, RegistryKey& key)
{
    std::string full;
    const RegistryStatus status = fullPath(parent, path, full);
    if (status != RegistryStatus::Success)
        return status == RegistryStatus::NotFound ? RegistryStatus::Failed : status;
    const RegistryStatus created = update([&](std::vector<RegFileKey>& keys) { return addKey(keys, full); });
    if (created == RegistryStatus::Success)
        key = openHandle(full);
    return created;
}

RegistryStatus RegistryFile::openKey(RegistryKey parent, const std::string& path, RegistryKey& key)
{
    std::string full;
    const RegistryStatus status = fullPath(parent, path, full);
    if (status != RegistryStatus::Success)
        return status;
    std::vector<RegFileKey> keys = readKeys();
    if (!full.empty() && !findRegFileKey(keys, full))
        return RegistryStatus::NotFound;
    key = openHandle(full);
    return RegistryStatus::Success;
}

RegistryStatus RegistryFile::queryValueType(RegistryKey key, const std::string& name, std::uint32_t& type,
                                            std::uint32_t& size)
{
    RegFileValue value;
    const RegistryStatus status = lookUp(key, name, value);
    if (status == RegistryStatus::Success) {
        type = value.type;
        size = static_cast<std::uint32_t>(value.data.size());
    }
    return status;
}

RegistryStatus RegistryFile::queryValueData(RegistryKey key, const std::string& name, std::uint32_t bufferSize,
                                            std::string& data)
{
    RegFileValue value;
    const RegistryStatus status = lookUp(key, name, value);
    if (status != RegistryStatus::Success)
        return status;
    if (value.data.size() > bufferSize)
        return RegistryStatus::MoreData;
    data = std::move(value.data);
    return RegistryStatus::Success;
}

RegistryStatus RegistryFile::setStringValue(RegistryKey key, const std::string& name, const std::string& text)
{
    const auto open = m_openKeys.find(key);
    // The file keeps no values on the root itself.
    if (open == m_openKeys.end() || open->second.empty() || !storableName(name))
        return RegistryStatus::Failed;
    const std::string path = open->second;
    return update([&](std::vector<RegFileKey>& keys) {
        // The key may have been taken out of the file since it was opened.
        addKey(keys, path);
        putRegFileValue(*findRegFileKey(keys, path), RegFileValue{name, kRegSz, text + '\0'});
        return true;
    });
}

void RegistryFile::closeKey(RegistryKey key)
{
    if (key != kCurrentUser)
        m_openKeys.erase(key);
}

std::vector<RegFileKey> RegistryFile::readKeys() const
{
    // A missing folder holds no file, so nothing needs locking then.
    const LockedFile lock(m_folder, LockedFile::Mode::Read);
    return loadKeys();
}

std::vector<RegFileKey> RegistryFile::loadKeys() const
{
    struct stat info;
    if (::stat(m_path.c_str(), &info) != 0 && errno == ENOENT)
        return {};
    LockedFile file(m_path, LockedFile::Mode::Read);
    std::string text;
    if (!file.isOpen() || !file.readAll(text))
        throw AppError(formatMessage(messages::kStoreUnreadable, m_path));
    std::vector<RegFileKey> keys;
    std::size_t badLine = 0;
    if (!parseRegFileText(text, keys, badLine))
        throw AppError(formatMessage(messages::kStoreMalformed, m_path + ':' + std::to_string(badLine)));
    return keys;
}

RegistryStatus RegistryFile::update(const Change& change)
{
    if (!makeFolders(m_folder))
        return RegistryStatus::Failed;
    const LockedFile lock(m_folder, LockedFile::Mode::Update);
    if (!lock.isOpen())
        return RegistryStatus::Failed;
    std::vector<RegFileKey> keys = loadKeys();
    if (!change(keys))
        return RegistryStatus::Success;
    return replaceFile(regFileText(keys)) ? RegistryStatus::Success : RegistryStatus::Failed;
}

bool RegistryFile::replaceFile(const std::string& text) const
{
    // A settings file made read-only keeps its content.
    struct stat info;
    if (::stat(m_path.c_str(), &info) == 0 && !openableForWriting(m_path))
        return false;
    return replaceFileWhole(m_path, text);
}

RegistryKey RegistryFile::openHandle(const std::string& path)
{
    const RegistryKey key = m_nextKey++;
    m_openKeys[key] = path;
    return key;
}

RegistryStatus RegistryFile::fullPath(RegistryKey parent, const std::string& path, std::string& full) const
{
    const auto open = m_openKeys.find(parent);
    if (open == m_openKeys.end())
        return RegistryStatus::Failed;
    for (const std::string& name : keyPathNames(path)) {
        if (!storableName(name))
            return RegistryStatus::NotFound;
    }
    full = joinKeyPath(open->second, path);
    return RegistryStatus::Success;
}

RegistryStatus RegistryFile::lookUp(RegistryKey key, const std::string& name, RegFileValue& value) const
{
    const auto open = m_openKeys.find(key);
    if (open == m_openKeys.end())
        return RegistryStatus::Failed;
    std::vector<RegFileKey> keys = readKeys();
    if (RegFileKey* stored = findRegFileKey(keys, open->second)) {
        for (RegFileValue& candidate : stored->values) {
            if (sameRegName(candidate.name, name)) {
                value = std::move(candidate);
                return RegistryStatus::Success;
            }
        }
    }
    return RegistryStatus::NotFound;
}

std::unique_ptr<Registry> currentUserRegistry()
{
    return std::make_unique<RegistryFile>(RegistryFile::defaultPath());
}

} // namespace vorelind
