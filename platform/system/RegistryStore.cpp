#include "platform/system/RegistryStore.h"

#include "platform/system/Utf8.h"

#include <cstdio>
#include <cwctype>

namespace plat {

namespace {

    const char kHeader[] = "Quorix Registry 1";

    // Writes code points as a quoted text: printable characters as UTF-8, the rest escaped.
    // Code points 0xD800-0xDFFF stand for lone UTF-16 units and are always escaped.
    std::string Quote(const std::u32string& text)
    {
        std::string out = "\"";
        for (char32_t c : text) {
            switch (c) {
            case U'"':
                out += "\\\"";
                continue;
            case U'\\':
                out += "\\\\";
                continue;
            case U'\n':
                out += "\\n";
                continue;
            case U'\r':
                out += "\\r";
                continue;
            case U'\t':
                out += "\\t";
                continue;
            default:
                break;
            }
            if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c & 0xFFFF));
                out += buf;
            } else {
                out += EncodeUtf8(std::wstring(1, static_cast<wchar_t>(c)));
            }
        }
        return out + "\"";
    }

    // Reads a quoted text at line[pos]; pos moves past the closing quote.
    bool Unquote(const std::string& line, size_t& pos, std::u32string* out)
    {
        if (pos >= line.size() || line[pos] != '"')
            return false;
        ++pos;
        std::string raw; // unescaped runs, decoded as UTF-8 when an escape or the end comes
        auto flush = [&]() {
            if (raw.empty())
                return true;
            std::wstring w = DecodeUtf8(raw);
            if (EncodeUtf8(w) != raw)
                return false; // not UTF-8
            for (wchar_t c : w)
                out->push_back(static_cast<char32_t>(c));
            raw.clear();
            return true;
        };
        while (pos < line.size()) {
            char c = line[pos++];
            if (c == '"')
                return flush();
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c != '\\') {
                raw += c;
                continue;
            }
            if (!flush() || pos >= line.size())
                return false;
            char e = line[pos++];
            switch (e) {
            case '"':
            case '\\':
                out->push_back(static_cast<char32_t>(e));
                break;
            case 'n':
                out->push_back(U'\n');
                break;
            case 'r':
                out->push_back(U'\r');
                break;
            case 't':
                out->push_back(U'\t');
                break;
            case 'u': {
                if (pos + 4 > line.size())
                    return false;
                char32_t v = 0;
                for (int i = 0; i < 4; ++i) {
                    int d = HexDigitValue(line[pos++]);
                    if (d < 0)
                        return false;
                    v = v * 16 + static_cast<char32_t>(d);
                }
                out->push_back(v);
                break;
            }
            default:
                return false;
            }
        }
        return false;
    }

    std::u32string FromWide(const std::wstring& w)
    {
        std::u32string out;
        for (wchar_t c : w)
            out.push_back(static_cast<char32_t>(c));
        return out;
    }

    // REG_SZ data as code points; lone surrogate units keep their own value.
    std::u32string UnitsToText(const std::vector<uint8_t>& data)
    {
        std::u32string out;
        size_t n = data.size() / 2;
        for (size_t i = 0; i < n; ++i) {
            char32_t u = data[2 * i] | data[2 * i + 1] << 8;
            if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n) {
                char32_t lo = data[2 * i + 2] | data[2 * i + 3] << 8;
                if (lo >= 0xDC00 && lo <= 0xDFFF) {
                    u = 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00);
                    ++i;
                }
            }
            out.push_back(u);
        }
        return out;
    }

    std::vector<uint8_t> TextToUnits(const std::u32string& text)
    {
        std::vector<uint8_t> out;
        auto unit = [&](char32_t u) {
            out.push_back(static_cast<uint8_t>(u & 0xFF));
            out.push_back(static_cast<uint8_t>((u >> 8) & 0xFF));
        };
        for (char32_t c : text) {
            if (c >= 0x10000) {
                unit(0xD800 + ((c - 0x10000) >> 10));
                unit(0xDC00 + ((c - 0x10000) & 0x3FF));
            } else {
                unit(c);
            }
        }
        return out;
    }

    bool ParseHexBytes(const std::string& text, std::vector<uint8_t>* out)
    {
        if (text.empty())
            return true;
        for (size_t pos = 0;;) {
            if (pos + 2 > text.size())
                return false;
            int hi = HexDigitValue(text[pos]), lo = HexDigitValue(text[pos + 1]);
            if (hi < 0 || lo < 0)
                return false;
            out->push_back(static_cast<uint8_t>(hi << 4 | lo));
            pos += 2;
            if (pos == text.size())
                return true;
            if (text[pos++] != ',')
                return false;
        }
    }

    bool ParseDecimal(const std::string& text, uint32_t* value)
    {
        if (text.empty() || text.size() > 10)
            return false;
        uint64_t v = 0;
        for (char c : text) {
            if (c < '0' || c > '9')
                return false;
            v = v * 10 + static_cast<uint64_t>(c - '0');
        }
        if (v > 0xFFFFFFFFu)
            return false;
        *value = static_cast<uint32_t>(v);
        return true;
    }

} // namespace

std::wstring RegistryStore::Fold(const std::wstring& text)
{
    std::wstring out(text);
    for (wchar_t& c : out)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return out;
}

bool RegistryStore::NormalizePath(const std::wstring& path, std::wstring* normalized)
{
    std::wstring out;
    size_t pos = 0;
    while (pos <= path.size()) {
        size_t end = path.find(L'\\', pos);
        if (end == std::wstring::npos)
            end = path.size();
        if (end > pos) {
            if (end - pos > kMaxKeyNameLength)
                return false;
            for (size_t i = pos; i < end; ++i) {
                auto c = static_cast<char32_t>(path[i]);
                if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
                    return false;
            }
            if (!out.empty())
                out += L'\\';
            out.append(path, pos, end - pos);
        }
        pos = end + 1;
    }
    *normalized = out;
    return true;
}

bool RegistryStore::HasKey(const std::wstring& path) const
{
    std::wstring p;
    return NormalizePath(path, &p) && (p.empty() || m_keys.count(Fold(p)));
}

bool RegistryStore::CreateKey(const std::wstring& path, bool* created)
{
    if (created)
        *created = false;
    std::wstring p;
    if (!NormalizePath(path, &p))
        return false;
    if (m_keys.empty() || !p.empty()) {
        // The root always exists once anything does; each parent becomes a key too.
        size_t end = 0;
        for (;;) {
            std::wstring prefix = p.substr(0, end);
            auto [it, inserted] = m_keys.try_emplace(Fold(prefix));
            if (inserted) {
                it->second.path = prefix;
                if (created && !prefix.empty())
                    *created = true;
            }
            if (end >= p.size())
                break;
            end = p.find(L'\\', end + 1);
            if (end == std::wstring::npos)
                end = p.size();
        }
    }
    return true;
}

const RegistryStore::Value* RegistryStore::GetValue(const std::wstring& key, const std::wstring& name) const
{
    std::wstring p;
    if (!NormalizePath(key, &p))
        return nullptr;
    auto k = m_keys.find(Fold(p));
    if (k == m_keys.end())
        return nullptr;
    auto v = k->second.values.find(Fold(name));
    return v == k->second.values.end() ? nullptr : &v->second;
}

bool RegistryStore::SetValue(
    const std::wstring& key, const std::wstring& name, uint32_t type, const uint8_t* data, size_t size)
{
    std::wstring p;
    if (name.size() > kMaxValueNameLength || !NormalizePath(key, &p) || (size && !data))
        return false;
    if (p.empty())
        CreateKey(p);
    auto k = m_keys.find(Fold(p));
    if (k == m_keys.end())
        return false;
    Value& v = k->second.values[Fold(name)];
    if (v.name.empty())
        v.name = name;
    v.type = type;
    v.data.assign(data, data + size);
    return true;
}

std::string RegistryStore::Serialize() const
{
    std::string out = std::string(kHeader) + "\n";
    for (const auto& [folded, key] : m_keys) {
        if (key.path.empty() && key.values.empty())
            continue;
        out += "[" + EncodeUtf8(key.path) + "]\n";
        for (const auto& [foldedName, v] : key.values) {
            out += Quote(FromWide(v.name)) + "=";
            if (v.type == REG_SZ && v.data.size() % 2 == 0) {
                out += "sz:" + Quote(UnitsToText(v.data));
            } else if (v.type == REG_DWORD && v.data.size() == 4) {
                char buf[16];
                uint32_t d = v.data[0] | v.data[1] << 8 | v.data[2] << 16 | uint32_t(v.data[3]) << 24;
                std::snprintf(buf, sizeof buf, "dword:%08x", d);
                out += buf;
            } else {
                out += v.type == REG_BINARY ? std::string("hex:") : "hex(" + std::to_string(v.type) + "):";
                static const char kDigits[] = "0123456789abcdef";
                for (size_t i = 0; i < v.data.size(); ++i) {
                    if (i)
                        out += ',';
                    out += kDigits[v.data[i] >> 4];
                    out += kDigits[v.data[i] & 15];
                }
            }
            out += "\n";
        }
    }
    return out;
}

bool RegistryStore::Parse(const std::string& text)
{
    Clear();
    if (text.empty())
        return true;
    size_t pos = 0;
    bool header = false;
    std::wstring current;
    bool inKey = false;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!header) {
            if (line != kHeader)
                return Clear(), false;
            header = true;
            continue;
        }
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            if (line.back() != ']' || line.size() < 2)
                return Clear(), false;
            std::string raw = line.substr(1, line.size() - 2);
            std::wstring path = DecodeUtf8(raw);
            if (EncodeUtf8(path) != raw || !CreateKey(path))
                return Clear(), false;
            NormalizePath(path, &current);
            inKey = true;
            continue;
        }
        std::u32string name;
        size_t at = 0;
        if (!inKey || !Unquote(line, at, &name) || at >= line.size() || line[at] != '=')
            return Clear(), false;
        ++at;
        std::wstring wname(name.begin(), name.end());
        std::string rest = line.substr(at);
        uint32_t type = 0;
        std::vector<uint8_t> data;
        if (rest.rfind("sz:", 0) == 0) {
            std::u32string value;
            size_t vpos = 3;
            if (!Unquote(rest, vpos, &value) || vpos != rest.size())
                return Clear(), false;
            type = REG_SZ;
            data = TextToUnits(value);
        } else if (rest.rfind("dword:", 0) == 0) {
            std::string digits = rest.substr(6);
            if (digits.size() != 8)
                return Clear(), false;
            uint32_t d = 0;
            for (char c : digits) {
                int h = HexDigitValue(c);
                if (h < 0)
                    return Clear(), false;
                d = d << 4 | static_cast<uint32_t>(h);
            }
            type = REG_DWORD;
            data = { static_cast<uint8_t>(d), static_cast<uint8_t>(d >> 8), static_cast<uint8_t>(d >> 16),
                static_cast<uint8_t>(d >> 24) };
        } else if (rest.rfind("hex:", 0) == 0) {
            type = REG_BINARY;
            if (!ParseHexBytes(rest.substr(4), &data))
                return Clear(), false;
        } else if (rest.rfind("hex(", 0) == 0) {
            size_t close = rest.find("):");
            if (close == std::string::npos || !ParseDecimal(rest.substr(4, close - 4), &type)
                || !ParseHexBytes(rest.substr(close + 2), &data))
                return Clear(), false;
        } else {
            return Clear(), false;
        }
        if (!SetValue(current, wname, type, data.data(), data.size()))
            return Clear(), false;
    }
    if (!header)
        return Clear(), false;
    return true;
}

} // namespace plat
