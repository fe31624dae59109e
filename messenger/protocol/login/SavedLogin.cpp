#include "messenger/protocol/login/SavedLogin.h"

#include "ux/core/UxGuid.h"
#include "ux/core/UxRegistry.h"
#include "ux/core/UxText.h"
#include "ux/net/UxCrypto.h"

#include <algorithm>
#include <cstdint>

const wchar_t* const kMessengerRegistryPath = L"Software\\Ulvanox\\MobileMessenger";
const wchar_t* const kDefaultAccountDomain = L"quorix.net";

namespace {

constexpr const wchar_t* kPasswordValue = L"LoginUserPassword";
constexpr const wchar_t* kPcidValue = L"LoginPcid";
constexpr uint32_t kMaxSaved = 1024;
constexpr size_t kDigestLength = 32;

bool IsDigest(const std::wstring& text)
{
    return text.size() == kDigestLength && std::all_of(text.begin(), text.end(), [](wchar_t c) {
        return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f');
    });
}

} // namespace

bool IsOneAddress(const std::wstring& id)
{
    const size_t at = id.find(L'@');
    return at != std::wstring::npos && at > 0 && at + 1 < id.size()
        && id.find(L'@', at + 1) == std::wstring::npos;
}

std::wstring MakePasswordDigest(const std::wstring& id, const std::wstring& password)
{
    // A plain search: the id keeps everything before "@" + the default domain.
    const std::wstring domain = ToLower(std::wstring(L"@") + kDefaultAccountDomain);
    const size_t at = ToLower(id).find(domain);
    const std::string bytes = ToUtf8(password + id.substr(0, at));
    return Md5Hex(bytes.data(), bytes.size());
}

std::string GetLoginStorageKey()
{
    std::string key = ToUtf8(GetMacAddressString(L':'));
    key.resize(static_cast<size_t>(GetCipherKeyLength()), '#');
    return key;
}

bool SaveLoginPassword(const std::wstring& digest)
{
    return SaveLoginPassword(digest, GetLoginStorageKey());
}

bool SaveLoginPassword(const std::wstring& digest, const std::string& key)
{
    const std::string plain = ToNarrow(digest);
    if (plain.size() + 8 > kMaxSaved || key.size() < static_cast<size_t>(GetCipherKeyLength()))
        return false;
    uint8_t sealed[kMaxSaved];
    size_t length = 0;
    if (!EncryptDesEde3(plain.data(), plain.size(), sealed, &length, key.data(), nullptr))
        return false;
    return RegWriteBinary(kMessengerRegistryPath, kPasswordValue, sealed, static_cast<uint32_t>(length));
}

std::wstring LoadLoginPassword()
{
    return LoadLoginPassword(GetLoginStorageKey());
}

std::wstring LoadLoginPassword(const std::string& key)
{
    uint8_t sealed[kMaxSaved];
    uint32_t size = sizeof sealed;
    if (!RegReadBinary(kMessengerRegistryPath, kPasswordValue, sealed, &size))
        return std::wstring();
    return UnsealLoginPassword(sealed, size, key);
}

std::wstring UnsealLoginPassword(const uint8_t* sealed, uint32_t size, const std::string& key)
{
    if (key.size() < static_cast<size_t>(GetCipherKeyLength()) || size == 0 || size > kMaxSaved)
        return std::wstring();
    uint8_t plain[kMaxSaved];
    size_t length = 0;
    if (!DecryptDesEde3(sealed, size, plain, &length, key.data(), nullptr))
        return std::wstring();
    const uint8_t* end = std::find(plain, plain + length, uint8_t { 0 });
    // A wrong key passes the padding check now and then; only a digest is a result.
    std::wstring digest
        = ToWide(std::string(reinterpret_cast<const char*>(plain), static_cast<size_t>(end - plain)));
    return IsDigest(digest) ? digest : std::wstring();
}

bool ClearLoginPassword()
{
    return RegWriteBinary(kMessengerRegistryPath, kPasswordValue, nullptr, 0);
}

std::wstring GetLoginPcid()
{
    std::wstring pcid = RegReadString(kMessengerRegistryPath, kPcidValue, L"");
    if (pcid.size() == kDigestLength)
        return pcid;
    pcid = UxGuid().ToString(1);
    RegWriteString(kMessengerRegistryPath, kPcidValue, pcid);
    return pcid;
}
