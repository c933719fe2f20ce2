#pragma once

#include "platform/regfiletext.h"
#include "platform/registry.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vorelind {

// The current user's registry kept in one file in registry export syntax.
// The file is read once while keys are open (from the first call until the
// last key is closed again), so that one reading of the settings sees one
// state of the file even while another copy of the program saves. Every
// change replaces the file as a whole (a temporary file renamed over it)
// under an exclusive lock of its folder, after reading it again only when
// another copy has replaced it meanwhile. A file that can't be read or is
// malformed raises AppError and is never replaced; a file made read-only is
// left alone (the change fails).
class RegistryFile : public Registry {
public:
    explicit RegistryFile(std::string path);
    RegistryFile(const RegistryFile&) = delete;
    RegistryFile& operator=(const RegistryFile&) = delete;

    // $XDG_CONFIG_HOME/vorelind/registry.reg, else under ~/.config.
    static std::string defaultPath();

    RegistryStatus createKey(RegistryKey parent, const std::string& path, RegistryKey& key) override;
    RegistryStatus openKey(RegistryKey parent, const std::string& path, RegistryKey& key) override;
    RegistryStatus queryValueType(RegistryKey key, const std::string& name, std::uint32_t& type,
                                  std::uint32_t& size) override;
    RegistryStatus queryValueData(RegistryKey key, const std::string& name, std::uint32_t bufferSize,
                                  std::string& data) override;
    RegistryStatus setStringValue(RegistryKey key, const std::string& name, const std::string& text) override;
    void closeKey(RegistryKey key) override;

private:
    // A change to the keys; returns whether it changed anything.
    using Change = std::function<bool(RegFileIndex&)>;

    // What identifies one state of the file: a replaced file differs in it.
    struct FileStamp {
        long long device = 0, inode = 0, size = 0, modified = 0, changed = 0;
        bool operator==(const FileStamp&) const = default;
    };

    class Call;

    // The keys read at the first call since no key was open.
    RegFileIndex& keys();
    void load();
    // Nothing, with errno set, when the file can't be looked at.
    std::optional<FileStamp> fileStamp() const;
    RegistryStatus update(const Change& change);
    bool replaceFile(const std::string& text) const;
    void forgetWhenIdle();
    RegistryKey openHandle(const std::string& path);
    RegistryStatus fullPath(RegistryKey parent, const std::string& path, std::string& full) const;
    RegistryStatus lookUp(RegistryKey key, const std::string& name, RegFileValue& value);

    std::string m_path;
    std::string m_folder;
    std::map<RegistryKey, std::string> m_openKeys;
    RegistryKey m_nextKey = 1;
    // The keys as last read or written, while any key is open.
    std::vector<RegFileKey> m_keys;
    std::optional<RegFileIndex> m_index;
    std::optional<FileStamp> m_stamp;
};

} // namespace vorelind
