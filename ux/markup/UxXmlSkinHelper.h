#pragma once

#include "ux/core/UxSingleton.h"
#include "ux/markup/UxXmlDocument.h"

#include <cstdint>
#include <string>

// The loaded skin. The application creates it and loads "Image\Skin.dat" at start; it
// owns every node, so node pointers stay valid until it is deleted.
class UxXmlSkinHelper : public UxSingleton<UxXmlSkinHelper>, public UxXmlDocument {
public:
    ~UxXmlSkinHelper() override;
};

// Paths are up to four element names; empty names are skipped. A step that finds
// nothing ends the walk with null, and every getter gives its zero value for null.

// Walks from the skin root and makes the node reached the current skin section; a path
// that finds nothing is traced.
UxXmlNode* SelectSkinNode(const std::wstring& name1, const std::wstring& name2 = std::wstring(),
    const std::wstring& name3 = std::wstring(), const std::wstring& name4 = std::wstring());
UxXmlNode* GetCurrentSkinNode();
// Walks from the current skin section.
UxXmlNode* FindSkinNode(const std::wstring& name1, const std::wstring& name2 = std::wstring(),
    const std::wstring& name3 = std::wstring(), const std::wstring& name4 = std::wstring());

// Values of the current section; a missing value is traced and gives the zero value.
int32_t GetSkinInt(const std::wstring& name1, const std::wstring& name2 = std::wstring(),
    const std::wstring& name3 = std::wstring(), const std::wstring& name4 = std::wstring());
uint32_t GetSkinColor(const std::wstring& name1, const std::wstring& name2 = std::wstring(),
    const std::wstring& name3 = std::wstring(), const std::wstring& name4 = std::wstring());
plat::RECT GetSkinRect(const std::wstring& name1, const std::wstring& name2 = std::wstring(),
    const std::wstring& name3 = std::wstring(), const std::wstring& name4 = std::wstring());
