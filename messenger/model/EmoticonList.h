#pragma once

#include "ux/core/UxSingleton.h"
#include "ux/graphics/UxImageDesc.h"

#include <cstddef>
#include <string>

class UxXmlNode;

// The emoticons, which live in the skin: the child elements of "_EmoticonList" / "RGB"
// in document order, each with its typed code in "Text" and its picture's keys. Holds
// nothing itself; every call reads the loaded skin (and makes that section the
// current one).
class EmoticonList : public UxSingleton<EmoticonList> {
public:
    size_t GetCount() const;
    // The index-th emoticon; an empty item (no file, no text) past the end.
    UxDrawItem GetImage(size_t index) const;
    // The first emoticon whose code is exactly this text; an empty item when none is.
    UxDrawItem FindImage(const std::wstring& code) const;

private:
    static UxXmlNode* SelectSection();
};
