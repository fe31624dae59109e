#include "ux/core/UxRegistryKey.h"

#include "ux/core/UxText.h"

#include <vector>

namespace {

// The string buffer the program has always read into: 4,096 UTF-16 units.
constexpr uint32_t kStringBufferBytes = 8192;

} // namespace

UxRegistryKey::~UxRegistryKey()
{
    Close();
}

bool UxRegistryKey::Create(const std::wstring& path, plat::HKEY root)
{
    Close();
    return plat::RegCreateKeyExW(root, path.c_str(), plat::KEY_ALL_ACCESS, &m_key) == plat::ERROR_SUCCESS;
}

bool UxRegistryKey::Open(const std::wstring& path, plat::HKEY root)
{
    Close();
    return plat::RegOpenKeyExW(root, path.c_str(), plat::KEY_ALL_ACCESS, &m_key) == plat::ERROR_SUCCESS;
}

void UxRegistryKey::Close()
{
    if (m_key) {
        plat::RegCloseKey(m_key);
        m_key = nullptr;
    }
}

bool UxRegistryKey::SetBinary(const std::wstring& name, const void* data, uint32_t size)
{
    return m_key
        && plat::RegSetValueExW(m_key, name.c_str(), plat::REG_BINARY, data, size) == plat::ERROR_SUCCESS;
}

bool UxRegistryKey::SetString(const std::wstring& name, const std::wstring& text)
{
    std::u16string units = ToUtf16(text);
    return m_key
        && plat::RegSetValueExW(
               m_key, name.c_str(), plat::REG_SZ, units.data(), static_cast<uint32_t>(units.size() * 2))
        == plat::ERROR_SUCCESS;
}

bool UxRegistryKey::SetDword(const std::wstring& name, uint32_t value)
{
    uint8_t bytes[4] = { static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
        static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24) };
    return m_key
        && plat::RegSetValueExW(m_key, name.c_str(), plat::REG_DWORD, bytes, 4) == plat::ERROR_SUCCESS;
}

bool UxRegistryKey::GetBinary(const std::wstring& name, void* buffer, uint32_t* size)
{
    return m_key && size
        && plat::RegQueryValueExW(m_key, name.c_str(), nullptr, buffer, size) == plat::ERROR_SUCCESS;
}

uint32_t UxRegistryKey::GetDword(const std::wstring& name, uint32_t defaultValue)
{
    uint8_t bytes[4] = {};
    uint32_t size = sizeof bytes;
    if (!GetBinary(name, bytes, &size))
        return defaultValue;
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t(bytes[3]) << 24;
}

std::wstring UxRegistryKey::GetString(const std::wstring& name, const std::wstring& defaultValue)
{
    std::vector<uint8_t> buffer(kStringBufferBytes, 0);
    uint32_t size = kStringBufferBytes;
    // A value that fills the whole buffer leaves no room for the terminator.
    if (!GetBinary(name, buffer.data(), &size) || size >= kStringBufferBytes)
        return defaultValue;
    std::vector<uint16_t> units(kStringBufferBytes / 2);
    size_t count = 0;
    for (; count < units.size(); ++count) {
        units[count] = static_cast<uint16_t>(buffer[2 * count] | buffer[2 * count + 1] << 8);
        if (!units[count])
            break;
    }
    return FromUtf16(units.data(), count);
}
