// The current user's registry through the Windows registry calls.

#include "platform/store/registry.h"

#include <windows.h>

namespace vorelind {

namespace {

HKEY handleOf(RegistryKey key)
{
    // The predefined handle is sign-extended on 64-bit Windows.
    return key == kCurrentUser ? HKEY_CURRENT_USER : reinterpret_cast<HKEY>(key);
}

RegistryStatus statusOf(LONG result)
{
    switch (result) {
    case ERROR_SUCCESS: return RegistryStatus::Success;
    case ERROR_FILE_NOT_FOUND: return RegistryStatus::NotFound;
    case ERROR_MORE_DATA: return RegistryStatus::MoreData;
    default: return RegistryStatus::Failed;
    }
}

class WindowsRegistry : public Registry {
public:
    RegistryStatus createKey(RegistryKey parent, const std::string& path, RegistryKey& key) override
    {
        HKEY opened = nullptr;
        const LONG result = RegCreateKeyExA(handleOf(parent), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                            KEY_ALL_ACCESS, nullptr, &opened, nullptr);
        key = reinterpret_cast<RegistryKey>(opened);
        return statusOf(result);
    }

    RegistryStatus openKey(RegistryKey parent, const std::string& path, RegistryKey& key) override
    {
        HKEY opened = nullptr;
        const LONG result = RegOpenKeyExA(handleOf(parent), path.c_str(), 0, KEY_ALL_ACCESS, &opened);
        key = reinterpret_cast<RegistryKey>(opened);
        return statusOf(result);
    }

    RegistryStatus queryValueType(RegistryKey key, const std::string& name, std::uint32_t& type,
                                  std::uint32_t& size) override
    {
        DWORD storedType = 0;
        DWORD storedSize = 0;
        const LONG result = RegQueryValueExA(handleOf(key), name.c_str(), nullptr, &storedType, nullptr, &storedSize);
        type = storedType;
        size = storedSize;
        return statusOf(result);
    }

    RegistryStatus queryValueData(RegistryKey key, const std::string& name, std::uint32_t bufferSize,
                                  std::string& data) override
    {
        std::string buffer(bufferSize, '\0');
        DWORD size = bufferSize;
        const LONG result = RegQueryValueExA(handleOf(key), name.c_str(), nullptr, nullptr,
                                             reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (result == ERROR_SUCCESS) {
            buffer.resize(size);
            data = std::move(buffer);
        }
        return statusOf(result);
    }

    RegistryStatus setStringValue(RegistryKey key, const std::string& name, const std::string& text) override
    {
        const LONG result = RegSetValueExA(handleOf(key), name.c_str(), 0, REG_SZ,
                                           reinterpret_cast<const BYTE*>(text.c_str()),
                                           static_cast<DWORD>(text.size() + 1));
        return statusOf(result);
    }

    void closeKey(RegistryKey key) override
    {
        RegCloseKey(handleOf(key));
    }
};

} // namespace

std::unique_ptr<Registry> currentUserRegistry()
{
    return std::make_unique<WindowsRegistry>();
}

} // namespace vorelind
