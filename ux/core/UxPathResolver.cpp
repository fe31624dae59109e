#include "ux/core/UxPathResolver.h"

void UxPathResolver::SetBase(int index, const std::wstring& path)
{
    if (index < 0 || index >= kBaseCount)
        return;
    std::wstring base = path;
    if (!base.empty() && (base.back() == L'\\' || base.back() == L'/'))
        base.pop_back();
    m_bases[index] = base;
}

std::wstring UxPathResolver::GetBase(int index) const
{
    return index >= 0 && index < kBaseCount ? m_bases[index] : std::wstring();
}

std::wstring UxPathResolver::Resolve(int index, const std::wstring& path) const
{
    if (index < 0 || index >= kBaseCount || path.size() <= 2 || path[0] == L'\\' || path[1] == L':'
        || m_bases[index].empty())
        return path;
    if (path[0] == L'/')
        return m_bases[index] + path;
    return m_bases[index] + L'\\' + path;
}
