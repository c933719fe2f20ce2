#pragma once

#include "platform/store/regfiletext.h"
#include "platform/store/registry.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vorelind {

// The current user's registry kept in one file in registry export syntax.
// Every call reads the file afresh, so that running copies of the program
// see each other's writes; every change replaces the file as a whole
// (a temporary file renamed over it) under an exclusive lock of its folder.
// A file that can't be read or is malformed raises AppError and is never
// replaced; a file made read-only is left alone (the change fails).
class RegistryFile : public Registry {
public:
    explicit RegistryFile(std::string path);

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
    using Change = std::function<bool(std::vector<RegFileKey>&)>;

    std::vector<RegFileKey> readKeys() const;
    std::vector<RegFileKey> loadKeys() const;
    RegistryStatus update(const Change& change);
    bool replaceFile(const std::string& text) const;
    RegistryKey openHandle(const std::string& path);
    RegistryStatus fullPath(RegistryKey parent, const std::string& path, std::string& full) const;
    RegistryStatus lookUp(RegistryKey key, const std::string& name, RegFileValue& value) const;

    std::string m_path;
    std::string m_folder;
    std::map<RegistryKey, std::string> m_openKeys;
    RegistryKey m_nextKey = 1;
};

} // namespace vorelind
