#pragma once

#include <initializer_list>

class UxWindow;
class UxXmlNode;

// One child window of a bar or a screen and the skin key it is built from.
struct SkinPart {
    const wchar_t* name;
    UxWindow* window;
};

// Adds each part to parent in order, then gives it the node's child of its name (an
// absent key leaves the part as it is). False at the first part that fails.
bool AddSkinParts(UxWindow& parent, UxXmlNode* node, std::initializer_list<SkinPart> parts);

// The section at the path, traced when the skin lacks it.
UxXmlNode* SelectSection(const wchar_t* owner, const wchar_t* name1, const wchar_t* name2 = L"");
