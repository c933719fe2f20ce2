#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vorelind {

// Value types, numbered as the registry numbers them.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// The outcome of a registry call.
enum class RegistryStatus {
    Success,
    NotFound, // the key or the value does not exist
    MoreData, // the value is longer than the buffer
    Failed,
};

// An open key. kCurrentUser is always open.
using RegistryKey = std::uintptr_t;
inline constexpr RegistryKey kCurrentUser = 0x80000001;

// The per-user registry, as the settings use it. Key paths are relative to
// the parent key, separated by "\"; names of keys and values are matched
// without regard to case. All texts are Shift-JIS.
class Registry {
public:
    virtual ~Registry() = default;

    // Opens a key, creating it when absent.
    virtual RegistryStatus createKey(RegistryKey parent, const std::string& path, RegistryKey& key) = 0;

    // Opens an existing key.
    virtual RegistryStatus openKey(RegistryKey parent, const std::string& path, RegistryKey& key) = 0;

    // Gives a value's type and the size of its data in bytes.
    virtual RegistryStatus queryValueType(RegistryKey key, const std::string& name, std::uint32_t& type,
                                          std::uint32_t& size) = 0;

    // Gives a value's data when it fits in bufferSize bytes.
    virtual RegistryStatus queryValueData(RegistryKey key, const std::string& name, std::uint32_t bufferSize,
                                          std::string& data) = 0;

    // Stores a text as REG_SZ: its bytes and one terminating NUL.
    virtual RegistryStatus setStringValue(RegistryKey key, const std::string& name, const std::string& text) = 0;

    virtual void closeKey(RegistryKey key) = 0;
};

// The current user's registry of this platform. Off Windows it is a text
// file that raises AppError when it can't be read or is malformed.
std::unique_ptr<Registry> currentUserRegistry();

} // namespace vorelind
