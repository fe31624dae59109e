#include "ux/markup/UxTextScanner.h"

#include <cwchar>
#include <cwctype>

UxTextScanner::UxTextScanner(std::wstring_view text)
    : m_text(text)
{
}

UxTextScanner::~UxTextScanner() = default;

void UxTextScanner::Seek(int64_t offset, int origin)
{
    int64_t base = origin == 1 ? static_cast<int64_t>(m_position) : 0;
    int64_t target = base + offset;
    if (target < 0)
        target = 0;
    if (static_cast<uint64_t>(target) > m_text.size())
        target = static_cast<int64_t>(m_text.size());
    m_position = static_cast<size_t>(target);
}

bool UxTextScanner::IsNameChar(wchar_t c, const wchar_t* extra)
{
    if ((c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9'))
        return true;
    return c != 0 && extra && std::wcschr(extra, c) != nullptr;
}

void UxTextScanner::SkipSpace()
{
    while (m_position < m_text.size() && std::iswspace(static_cast<wint_t>(m_text[m_position])))
        ++m_position;
}

std::wstring UxTextScanner::Read(size_t n)
{
    SkipSpace();
    if (n >= m_text.size() - m_position)
        return std::wstring();
    std::wstring out(m_text.substr(m_position, n));
    m_position += n;
    return out;
}

std::wstring UxTextScanner::ReadToken(const wchar_t* extra)
{
    SkipSpace();
    if (AtEnd())
        return std::wstring();
    wchar_t c = m_text[m_position];
    if (IsNameChar(c, extra)) {
        size_t start = m_position;
        while (m_position < m_text.size() && IsNameChar(m_text[m_position], extra))
            ++m_position;
        return std::wstring(m_text.substr(start, m_position - start));
    }
    ++m_position;
    if (c == L'"' || c == L'\'')
        return ReadQuoted(c);
    return std::wstring(1, c);
}

std::wstring UxTextScanner::ReadQuoted(wchar_t quote)
{
    std::wstring out;
    while (m_position < m_text.size()) {
        wchar_t c = m_text[m_position++];
        if (c == quote)
            break;
        if (c != L'\\' || m_position >= m_text.size()) {
            out += c;
            continue;
        }
        wchar_t e = m_text[m_position++];
        switch (e) {
        case L'b':
            out += L'\b';
            break;
        case L'f':
            out += L'\f';
            break;
        case L'n':
            out += L'\n';
            break;
        case L'r':
            out += L'\r';
            break;
        case L't':
            out += L'\t';
            break;
        case L'"':
        case L'\'':
        case L'/':
        case L'\\':
            out += e;
            break;
        default: // unknown escapes stay as written
            out += L'\\';
            out += e;
            break;
        }
    }
    return out;
}

std::wstring UxTextScanner::ReadUntil(wchar_t delimiter, int mode)
{
    return ReadUntil(std::wstring_view(&delimiter, 1), mode);
}

std::wstring UxTextScanner::ReadUntil(std::wstring_view delimiter, int mode)
{
    size_t found = delimiter.empty() ? std::wstring_view::npos : m_text.find(delimiter, m_position);
    if (found == std::wstring_view::npos) {
        m_position = m_text.size();
        return std::wstring();
    }
    size_t end = mode == 0 ? found + delimiter.size() : found;
    std::wstring out(m_text.substr(m_position, end - m_position));
    m_position = found + delimiter.size();
    return out;
}
