#include "ux/widgets/UxPageHeader.h"

#include "ux/markup/UxXmlNode.h"

UxPageHeader::UxPageHeader()
{
    AddChild(&BackSkin);
    AddChild(&PrevButton);
    AddChild(&Title);
    AddChild(&NextButton);
}

UxPageHeader::~UxPageHeader()
{
    RemoveChildren();
}

bool UxPageHeader::ApplySkin(UxXmlNode* node)
{
    if (!UxWindow::ApplySkin(node))
        return false;
    if (!node)
        return true;
    struct Part {
        const wchar_t* name;
        UxWindow* window;
    } parts[] = { { L"BackSkin", &BackSkin }, { L"PrevButton", &PrevButton }, { L"Title", &Title },
        { L"NextButton", &NextButton } };
    for (const Part& part : parts) {
        if (UxXmlNode* child = node->FindChild(part.name); child && !part.window->ApplySkin(child))
            return false;
    }
    return true;
}
