#pragma once

// The registry of the current user, kept in one human-readable file (see RegistryStore):
// $QUORIX_REGISTRY, else $XDG_CONFIG_HOME/quorix/registry, else ~/.config/quorix/registry.
// The file is read once, when first needed, and again whenever that path changes. Every
// change replaces it atomically (temporary file, fsync, rename) with mode 0600. A file
// that does not parse is moved aside with a trace line and the registry starts empty; a
// file that cannot be read or moved is left alone and changes are refused.

#include "platform/system/RegistryStore.h"

#include <cstdint>
#include <string>

namespace plat {

struct RegistryKeyHandle;
using HKEY = RegistryKeyHandle*;

extern const HKEY HKEY_CURRENT_USER;

constexpr uint32_t KEY_ALL_ACCESS = 0xF003F;

constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;
constexpr long ERROR_ACCESS_DENIED = 5;
constexpr long ERROR_INVALID_HANDLE = 6;
constexpr long ERROR_WRITE_FAULT = 29;
constexpr long ERROR_INVALID_PARAMETER = 87;
constexpr long ERROR_MORE_DATA = 234;

// Opens a key below root, creating it and its missing parents.
long RegCreateKeyExW(HKEY root, const wchar_t* subKey, uint32_t access, HKEY* result);
// Opens an existing key below root.
long RegOpenKeyExW(HKEY root, const wchar_t* subKey, uint32_t access, HKEY* result);
long RegCloseKey(HKEY key);

long RegSetValueExW(HKEY key, const wchar_t* name, uint32_t type, const void* data, uint32_t size);
// *size holds the buffer's size and receives the value's. Without data only the size and
// type are reported; a buffer too small gives ERROR_MORE_DATA.
long RegQueryValueExW(HKEY key, const wchar_t* name, uint32_t* type, void* data, uint32_t* size);

// The file the registry lives in now.
std::string RegistryFilePath();

} // namespace plat
