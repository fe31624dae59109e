#include "ux/markup/UxIniReader.h"

#include "ux/core/UxFile.h"
#include "ux/core/UxText.h"

UxIniReader::~UxIniReader() = default;

bool UxIniReader::Load(const std::wstring& path, int encoding)
{
    switch (encoding) {
    case 0:
        m_text = ReadTextFile(path);
        break;
    case 1:
        m_text = ReadUtf16File(path);
        break;
    case 2:
        m_text = FromUtf8(ReadBytesFile(path));
        break;
    case 3:
        m_text = ToWide(ReadBytesFile(path));
        break;
    default:
        m_text.clear();
        break;
    }
    return true;
}

std::wstring UxIniReader::GetValue(const std::wstring& section, const std::wstring& key) const
{
    size_t p = m_text.find(L"[" + section + L"]");
    if (p == std::wstring::npos)
        return std::wstring();
    size_t q = m_text.find(key + L"=", p);
    if (q == std::wstring::npos)
        return std::wstring();
    size_t begin = q + key.size() + 1;
    size_t end = m_text.find(L"\r\n", begin);
    return m_text.substr(begin, end == std::wstring::npos ? std::wstring::npos : end - begin);
}

std::wstring ReadIniValue(
    const std::wstring& path, const std::wstring& section, const std::wstring& key, int encoding)
{
    UxIniReader reader;
    reader.Load(path, encoding);
    return reader.GetValue(section, key);
}
