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

// A drawing item of a list row or card: its look from the node's child of that name and
// its rectangle ("_Rect", relative to the row). A missing child leaves both; false when
// the look cannot be loaded.
bool ReadRowItem(UxXmlNode* node, const wchar_t* name, UxImageItem& item, plat::RECT& rect);
bool ReadRowItem(UxXmlNode* node, const wchar_t* name, UxTextItem& item, plat::RECT& rect);
// A second look of the text item base that differs only by the colour under key in the
// node's child of that name (e.g. "TextColorSelected"); base's own colour when absent.
bool ReadTextColour(
    UxXmlNode* node, const wchar_t* name, const wchar_t* key, const UxTextItem& base, UxTextItem& item);
// A row text in two looks: items[0] as the skin has it, items[1] the same in its
// "TextColorSelected".
bool ReadRowText(UxXmlNode* view, const wchar_t* name, UxTextItem (&items)[2], plat::RECT& rect);
