#include "ux/core/UxRegistry.h"

#include "ux/core/UxRegistryKey.h"

bool RegWriteBinary(const std::wstring& path, const std::wstring& name, const void* data, uint32_t size)
{
    UxRegistryKey key;
    return key.Create(path) && key.SetBinary(name, data, size);
}

bool RegWriteString(const std::wstring& path, const std::wstring& name, const std::wstring& text)
{
    UxRegistryKey key;
    return key.Create(path) && key.SetString(name, text);
}

bool RegWriteDword(const std::wstring& path, const std::wstring& name, uint32_t value)
{
    UxRegistryKey key;
    return key.Create(path) && key.SetDword(name, value);
}

bool RegReadBinary(const std::wstring& path, const std::wstring& name, void* buffer, uint32_t* size)
{
    UxRegistryKey key;
    return key.Open(path) && key.GetBinary(name, buffer, size);
}

uint32_t RegReadDword(const std::wstring& path, const std::wstring& name, uint32_t defaultValue)
{
    UxRegistryKey key;
    return key.Open(path) ? key.GetDword(name, defaultValue) : defaultValue;
}

std::wstring RegReadString(
    const std::wstring& path, const std::wstring& name, const std::wstring& defaultValue)
{
    UxRegistryKey key;
    return key.Open(path) ? key.GetString(name, defaultValue) : defaultValue;
}
