#pragma once

// The password digest, the saved login and the device id. The password itself is never
// sent or stored: its digest takes its place, and a saved digest is enciphered with a
// key bound to this machine's network adapter.

#include <cstdint>
#include <string>

// The program's registry key under HKEY_CURRENT_USER.
extern const wchar_t* const kMessengerRegistryPath;
// The service's own mail domain: ids in it are digested without it.
extern const wchar_t* const kDefaultAccountDomain;

// Whether the id is one address: a name, a single "@" and a domain.
bool IsOneAddress(const std::wstring& id);

// MD5 (32 lower-case hex digits) of the UTF-8 password followed by the id's local part.
std::wstring MakePasswordDigest(const std::wstring& id, const std::wstring& password);

// The 24-byte storage key: the adapter address "xx:xx:xx:xx:xx:xx" filled up with '#'.
std::string GetLoginStorageKey();

// Enciphers the digest into "LoginUserPassword". True when stored.
bool SaveLoginPassword(const std::wstring& digest);
bool SaveLoginPassword(const std::wstring& digest, const std::string& key);
// The saved digest, or "" when none is saved or it does not decipher to a digest (a
// value saved on another machine, a damaged value).
std::wstring LoadLoginPassword();
std::wstring LoadLoginPassword(const std::string& key);
// The digest from the stored bytes, or empty when they do not hold one.
std::wstring UnsealLoginPassword(const uint8_t* sealed, uint32_t size, const std::string& key);
// Empties "LoginUserPassword".
bool ClearLoginPassword();

// The device id "LoginPcid": 32 characters, made once from a random GUID and kept.
std::wstring GetLoginPcid();
