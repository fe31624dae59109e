#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace plat {

// Value types, with their Windows numbers.
constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_BINARY = 3;
constexpr uint32_t REG_DWORD = 4;

// The registry's keys and values in memory, and their text form on disk:
//
//   Quorix Registry 1
//   [Software\Maker\App]
//   "Name"=sz:"text"          REG_SZ: its UTF-16 units as text, escapes for the rest
//   "Count"=dword:0000000a    REG_DWORD of 4 bytes
//   "Blob"=hex:01,ff          REG_BINARY
//   "Odd"=hex(1):41,00,42     any other type or length
//
// Lines starting with ';' and empty lines are ignored. Key paths and value names are
// compared without regard to case and keep the case they were created with.
class RegistryStore {
public:
    struct Value {
        std::wstring name;
        uint32_t type = 0;
        std::vector<uint8_t> data;
    };

    // Limits that keep a key path or a value name sane.
    static constexpr size_t kMaxKeyNameLength = 255;
    static constexpr size_t kMaxValueNameLength = 16383;

    void Clear() { m_keys.clear(); }

    // Key paths are '\'-separated; empty components are ignored ("" is the root). False
    // for a component that is too long or holds control characters.
    static bool NormalizePath(const std::wstring& path, std::wstring* normalized);

    bool HasKey(const std::wstring& path) const;
    // Creates the key and its missing parents. *created tells whether anything was new.
    bool CreateKey(const std::wstring& path, bool* created = nullptr);

    // Null when the key or the value does not exist.
    const Value* GetValue(const std::wstring& key, const std::wstring& name) const;
    // The key must exist.
    bool SetValue(
        const std::wstring& key, const std::wstring& name, uint32_t type, const uint8_t* data, size_t size);

    std::string Serialize() const;
    // Replaces the contents with the text's; false (and empty) when it is not well formed.
    bool Parse(const std::string& text);

private:
    struct Key {
        std::wstring path;
        std::map<std::wstring, Value> values; // by lower-case name
    };

    static std::wstring Fold(const std::wstring& text);

    std::map<std::wstring, Key> m_keys; // by lower-case path
};

} // namespace plat
