#include "platform/store/registryfile.h"

#include "platform/files/lockedfile.h"
#include "platform/files/wholefile.h"
#include "platform/files/xdgfolder.h"
#include "platform/store/messages.h"
#include "util/apperror.h"

#include <cerrno>
#include <fcntl.h>
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
bool addKey(RegFileIndex& index, const std::string& path)
{
    bool added = false;
    std::string prefix;
    for (const std::string& name : keyPathNames(path)) {
        prefix = joinKeyPath(prefix, name);
        if (!index.findKey(prefix)) {
            index.addKey(prefix);
            added = true;
        }
    }
    return added;
}

} // namespace

// Forgets the keys read once a call ends with no key open but the root, so
// that the next reading of the settings reads the file afresh.
class RegistryFile::Call {
public:
    explicit Call(RegistryFile& registry)
        : m_registry(registry)
    {
    }
    ~Call() { m_registry.forgetWhenIdle(); }
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

private:
    RegistryFile& m_registry;
};

RegistryFile::RegistryFile(std::string path)
    : m_path(std::move(path))
    , m_folder(folderOf(m_path))
{
    m_openKeys[kCurrentUser] = {};
}

std::string RegistryFile::defaultPath()
{
    return (xdgFolder("XDG_CONFIG_HOME", ".config") / kFolderName / kFileName).string();
}

RegistryStatus RegistryFile::createKey(RegistryKey parent, const std::string& path, RegistryKey& key)
{
    const Call call(*this);
    std::string full;
    const RegistryStatus status = fullPath(parent, path, full);
    if (status != RegistryStatus::Success)
        return status == RegistryStatus::NotFound ? RegistryStatus::Failed : status;
    const RegistryStatus created = update([&](RegFileIndex& index) { return addKey(index, full); });
    if (created == RegistryStatus::Success)
        key = openHandle(full);
    return created;
}

RegistryStatus RegistryFile::openKey(RegistryKey parent, const std::string& path, RegistryKey& key)
{
    const Call call(*this);
    std::string full;
    const RegistryStatus status = fullPath(parent, path, full);
    if (status != RegistryStatus::Success)
        return status;
    if (!full.empty() && !keys().findKey(full))
        return RegistryStatus::NotFound;
    key = openHandle(full);
    return RegistryStatus::Success;
}

RegistryStatus RegistryFile::queryValueType(RegistryKey key, const std::string& name, std::uint32_t& type,
                                            std::uint32_t& size)
{
    const Call call(*this);
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
    const Call call(*this);
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
    const Call call(*this);
    const auto open = m_openKeys.find(key);
    // The file keeps no values on the root itself.
    if (open == m_openKeys.end() || open->second.empty() || !storableName(name))
        return RegistryStatus::Failed;
    const std::string path = open->second;
    return update([&](RegFileIndex& index) {
        // The key may have been taken out of the file since it was opened.
        addKey(index, path);
        index.putValue(*index.findKey(path), RegFileValue{name, kRegSz, text + '\0'});
        return true;
    });
}

void RegistryFile::closeKey(RegistryKey key)
{
    if (key != kCurrentUser)
        m_openKeys.erase(key);
    forgetWhenIdle();
}

RegFileIndex& RegistryFile::keys()
{
    if (!m_index) {
        // A missing folder holds no file, so nothing needs locking then.
        const LockedFile lock(m_folder, LockedFile::Mode::Read);
        load();
    }
    return *m_index;
}

void RegistryFile::load()
{
    m_index.reset();
    m_keys.clear();
    m_stamp = fileStamp();
    // A missing file holds no keys; a file that can't be looked at is
    // reported as unreadable.
    if (m_stamp || errno != ENOENT) {
        LockedFile file(m_path, LockedFile::Mode::Read);
        std::string text;
        if (!file.isOpen() || !file.readAll(text))
            throw AppError(formatMessage(messages::kStoreUnreadable, m_path));
        std::size_t badLine = 0;
        if (!parseRegFileText(text, m_keys, badLine))
            throw AppError(formatMessage(messages::kStoreMalformed, m_path + ':' + std::to_string(badLine)));
    }
    m_index.emplace(m_keys);
}

std::optional<RegistryFile::FileStamp> RegistryFile::fileStamp() const
{
    struct stat info;
    if (::stat(m_path.c_str(), &info) != 0)
        return std::nullopt;
    return FileStamp{static_cast<long long>(info.st_dev), static_cast<long long>(info.st_ino),
                     static_cast<long long>(info.st_size),
                     static_cast<long long>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
                     static_cast<long long>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec};
}

RegistryStatus RegistryFile::update(const Change& change)
{
    if (!makeFolders(m_folder))
        return RegistryStatus::Failed;
    const LockedFile lock(m_folder, LockedFile::Mode::Update);
    if (!lock.isOpen())
        return RegistryStatus::Failed;
    // Another copy may have replaced the file since it was read.
    if (!m_index || fileStamp() != m_stamp)
        load();
    if (!change(*m_index))
        return RegistryStatus::Success;
    if (!replaceFile(regFileText(m_keys))) {
        // The keys hold the change that the file lacks.
        m_index.reset();
        return RegistryStatus::Failed;
    }
    m_stamp = fileStamp();
    return RegistryStatus::Success;
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

RegistryStatus RegistryFile::lookUp(RegistryKey key, const std::string& name, RegFileValue& value)
{
    const auto open = m_openKeys.find(key);
    if (open == m_openKeys.end())
        return RegistryStatus::Failed;
    RegFileIndex& index = keys();
    const RegFileKey* stored = index.findKey(open->second);
    const RegFileValue* found = stored ? index.findValue(*stored, name) : nullptr;
    if (!found)
        return RegistryStatus::NotFound;
    value = *found;
    return RegistryStatus::Success;
}

void RegistryFile::forgetWhenIdle()
{
    if (m_openKeys.size() > 1)
        return;
    m_index.reset();
    m_keys.clear();
    m_stamp.reset();
}

std::unique_ptr<Registry> currentUserRegistry()
{
    return std::make_unique<RegistryFile>(RegistryFile::defaultPath());
}

} // namespace vorelind
