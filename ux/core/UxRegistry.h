#pragma once

// One-call registry routines under HKEY_CURRENT_USER: each opens the key, reads or
// writes one value and closes it. Writes create the key; reads fall back to the
// caller's default (or false) when the key or value is missing.

#include <cstdint>
#include <string>

bool RegWriteBinary(const std::wstring& path, const std::wstring& name, const void* data, uint32_t size);
bool RegWriteString(const std::wstring& path, const std::wstring& name, const std::wstring& text);
bool RegWriteDword(const std::wstring& path, const std::wstring& name, uint32_t value);

// *size holds the buffer's size and receives the value's.
bool RegReadBinary(const std::wstring& path, const std::wstring& name, void* buffer, uint32_t* size);
uint32_t RegReadDword(const std::wstring& path, const std::wstring& name, uint32_t defaultValue);
std::wstring RegReadString(
    const std::wstring& path, const std::wstring& name, const std::wstring& defaultValue);
