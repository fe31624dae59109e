#pragma once

#include "platform/system/Registry.h"

#include <cstdint>
#include <string>

// An open registry key, closed by the destructor. Values are read and written by name;
// reads do not look at the stored type.
class UxRegistryKey {
public:
    UxRegistryKey() = default;
    virtual ~UxRegistryKey();
    UxRegistryKey(const UxRegistryKey&) = delete;
    UxRegistryKey& operator=(const UxRegistryKey&) = delete;

    // Opens the key, creating it and its missing parents.
    bool Create(const std::wstring& path, plat::HKEY root = plat::HKEY_CURRENT_USER);
    // Opens an existing key.
    bool Open(const std::wstring& path, plat::HKEY root = plat::HKEY_CURRENT_USER);
    void Close();
    bool IsOpen() const { return m_key != nullptr; }

    bool SetBinary(const std::wstring& name, const void* data, uint32_t size);
    // REG_SZ of the text's UTF-16 units, without a terminating zero.
    bool SetString(const std::wstring& name, const std::wstring& text);
    bool SetDword(const std::wstring& name, uint32_t value);

    // *size holds the buffer's size and receives the value's.
    bool GetBinary(const std::wstring& name, void* buffer, uint32_t* size);
    uint32_t GetDword(const std::wstring& name, uint32_t defaultValue);
    // The text up to its first zero unit; the default when the value is missing or has
    // 4,096 characters or more.
    std::wstring GetString(const std::wstring& name, const std::wstring& defaultValue);

private:
    plat::HKEY m_key = nullptr;
};
