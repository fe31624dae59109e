#include "ux/net/UxHttpHead.h"

#include "ux/core/UxText.h"

#include <cctype>
#include <climits>
#include <cstring>

namespace {

bool IsBlank(uint8_t c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Next "\r\n"-terminated line from pos; a last line without terminator runs to the end.
bool NextLine(const uint8_t* data, size_t size, size_t& pos, size_t& begin, size_t& length)
{
    if (pos >= size)
        return false;
    begin = pos;
    const uint8_t* p = data + pos;
    const uint8_t* end = data + size;
    while (p < end) {
        const void* cr = std::memchr(p, '\r', static_cast<size_t>(end - p));
        if (!cr) {
            p = end;
            break;
        }
        p = static_cast<const uint8_t*>(cr);
        if (p + 1 < end && p[1] == '\n')
            break;
        ++p;
    }
    length = static_cast<size_t>(p - (data + begin));
    pos = p < end ? static_cast<size_t>(p - data) + 2 : size;
    return true;
}

} // namespace

size_t UxHttpHead::FindEnd(const uint8_t* data, size_t size, size_t from)
{
    if (!data || size < 4)
        return npos;
    for (size_t i = from; i + 4 <= size; ++i) {
        const void* cr = std::memchr(data + i, '\r', size - 3 - i);
        if (!cr)
            return npos;
        i = static_cast<size_t>(static_cast<const uint8_t*>(cr) - data);
        if (std::memcmp(data + i, "\r\n\r\n", 4) == 0)
            return i;
    }
    return npos;
}

namespace {

// Calls visit with each value of the lines named key, in order, until it returns false.
template <typename Visit>
void ForEachHeader(const uint8_t* data, size_t size, const std::string& key, Visit visit)
{
    size_t pos = 0;
    size_t begin = 0;
    size_t length = 0;
    bool more = NextLine(data, size, pos, begin, length);
    while (more) {
        if (length == 0 || length > UxHttpHead::kMaxLineLength)
            return;
        const uint8_t* line = data + begin;
        bool match = length > key.size() && (line[key.size()] == ':' || line[key.size()] == '=');
        for (size_t i = 0; match && i < key.size(); ++i)
            match = std::tolower(line[i]) == std::tolower(static_cast<uint8_t>(key[i]));
        if (!match) {
            more = NextLine(data, size, pos, begin, length);
            continue;
        }
        std::string value(reinterpret_cast<const char*>(line) + key.size() + 1, length - key.size() - 1);
        // Continuation lines start with a space or TAB.
        for (;;) {
            more = NextLine(data, size, pos, begin, length);
            if (!more || length == 0 || length > UxHttpHead::kMaxLineLength
                || (data[begin] != ' ' && data[begin] != '\t'))
                break;
            value.append(reinterpret_cast<const char*>(data) + begin + 1, length - 1);
        }
        if (!visit(Trim(value)))
            return;
    }
}

} // namespace

std::wstring UxHttpHead::GetHeader(const uint8_t* data, size_t size, const std::wstring& name, int index)
{
    if (!data || name.empty() || index < 0)
        return std::wstring();
    std::wstring result;
    int seen = 0;
    ForEachHeader(data, size, ToUtf8(name), [&](const std::string& value) {
        if (seen++ < index)
            return true;
        result = FromUtf8(value);
        return false;
    });
    return result;
}

bool UxHttpHead::ParseStatus(const uint8_t* data, size_t size, int* status)
{
    if (!data || !status)
        return false;
    size_t i = 0;
    // sscanf "%*s %d" on the first line: skip blanks, a word, blanks, then a number.
    auto lineEnd = [&](size_t k) { return k >= size || data[k] == '\r' || data[k] == '\n'; };
    while (!lineEnd(i) && IsBlank(data[i]))
        ++i;
    if (lineEnd(i))
        return false;
    while (!lineEnd(i) && !IsBlank(data[i]))
        ++i;
    while (!lineEnd(i) && IsBlank(data[i]))
        ++i;
    bool negative = false;
    if (!lineEnd(i) && (data[i] == '-' || data[i] == '+'))
        negative = data[i++] == '-';
    if (lineEnd(i) || !std::isdigit(data[i]))
        return false;
    long long value = 0;
    while (!lineEnd(i) && std::isdigit(data[i])) {
        if (value < INT_MAX)
            value = value * 10 + (data[i] - '0');
        ++i;
    }
    if (value > INT_MAX)
        value = INT_MAX;
    *status = static_cast<int>(negative ? -value : value);
    return true;
}

std::vector<std::pair<std::wstring, std::wstring>> UxHttpHead::ParseCookies(const uint8_t* data, size_t size)
{
    static const char* const attributes[] = { "expires", "domain", "path", "secure", "httponly" };
    std::vector<std::pair<std::wstring, std::wstring>> cookies;
    if (!data)
        return cookies;
    ForEachHeader(data, size, "Set-Cookie", [&](const std::string& line) {
        // The first empty Set-Cookie value ends the list, as a missing one does.
        if (line.empty())
            return false;
        size_t start = 0;
        while (start <= line.size()) {
            size_t semi = line.find(';', start);
            std::string item
                = line.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
            start = semi == std::string::npos ? line.size() + 1 : semi + 1;
            // "%[^=]=%s": a name of at least one byte, '=', then the value up to white space.
            size_t eq = item.find('=');
            if (eq == 0 || eq == std::string::npos)
                continue;
            size_t v = eq + 1;
            while (v < item.size() && IsBlank(static_cast<uint8_t>(item[v])))
                ++v;
            size_t ve = v;
            while (ve < item.size() && !IsBlank(static_cast<uint8_t>(item[ve])))
                ++ve;
            if (ve == v)
                continue;
            std::string cookieName = Trim(item.substr(0, eq));
            std::string cookieValue = Trim(item.substr(v, ve - v));
            bool attribute = cookieName.empty();
            for (const char* a : attributes)
                attribute = attribute || cookieName == a;
            if (!attribute)
                cookies.emplace_back(FromUtf8(cookieName), FromUtf8(cookieValue));
        }
        return true;
    });
    return cookies;
}
