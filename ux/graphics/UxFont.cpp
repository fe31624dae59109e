#include "ux/graphics/UxFont.h"

#include <algorithm>

UxFont::~UxFont()
{
    Release();
}

bool UxFont::Create(const UxFontInfo& info)
{
    Release();
    m_info = info;
    plat::LOGFONTW font;
    font.lfHeight = info.Height;
    font.lfWeight = info.Weight;
    font.lfItalic = info.Italic;
    font.lfUnderline = info.Underline;
    font.lfStrikeOut = info.StrikeOut;
    std::wstring face = info.FaceName.empty() ? kDefaultFace : info.FaceName;
    size_t kept = std::min<size_t>(face.size(), plat::LF_FACESIZE - 1);
    std::copy_n(face.begin(), kept, font.lfFaceName);
    font.lfFaceName[kept] = L'\0';
    m_handle = plat::CreateFontIndirectW(&font);
    return m_handle != nullptr;
}

void UxFont::Release()
{
    if (m_handle) {
        plat::DeleteObject(m_handle);
        m_handle = nullptr;
    }
}
