#pragma once

#include "platform/event/Message.h"

#include <initializer_list>

class UxImageItem;
class UxTextItem;
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

// A list row's item: its look from the view's child of that name and its rectangle
// relative to the row. A missing child leaves both; false when the look fails.
bool ReadRowItem(UxXmlNode* view, const wchar_t* name, UxImageItem& item, plat::RECT& rect);
bool ReadRowItem(UxXmlNode* view, const wchar_t* name, UxTextItem& item, plat::RECT& rect);
// A row text in its normal look and a second look that differs by "TextColorSelected".
bool ReadTwoColourText(UxXmlNode* view, const wchar_t* name, UxTextItem (&items)[2], plat::RECT& rect);
