#include "messenger/model/EmoticonList.h"

#include "ux/markup/UxXmlNode.h"
#include "ux/markup/UxXmlSkinHelper.h"

namespace {

// The index-th element child; comments and text between entries do not count.
const UxXmlNode* ElementAt(const UxXmlNode* section, size_t index)
{
    if (!section)
        return nullptr;
    for (size_t i = 0; i < section->GetChildCount(); ++i) {
        const UxXmlNode* child = section->GetChild(i);
        if (child->GetKind() == UxXmlNode::Element && index-- == 0)
            return child;
    }
    return nullptr;
}

} // namespace

UxXmlNode* EmoticonList::SelectSection()
{
    return SelectSkinNode(L"_EmoticonList", L"RGB");
}

size_t EmoticonList::GetCount() const
{
    const UxXmlNode* section = SelectSection();
    size_t count = 0;
    for (size_t i = 0; section && i < section->GetChildCount(); ++i)
        count += section->GetChild(i)->GetKind() == UxXmlNode::Element;
    return count;
}

UxDrawItem EmoticonList::GetImage(size_t index) const
{
    const UxXmlNode* entry = ElementAt(SelectSection(), index);
    return entry ? ReadDrawItem(entry) : UxDrawItem();
}

UxDrawItem EmoticonList::FindImage(const std::wstring& code) const
{
    const UxXmlNode* section = SelectSection();
    for (size_t i = 0; section && i < section->GetChildCount(); ++i) {
        const UxXmlNode* entry = section->GetChild(i);
        const UxXmlNode* text = entry->GetKind() == UxXmlNode::Element ? entry->FindChild(L"Text") : nullptr;
        if (text && text->GetText() == code)
            return ReadDrawItem(entry);
    }
    return UxDrawItem();
}
