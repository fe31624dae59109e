#include "app/shell/StatusBarDisclosure.h"

#include "ux/markup/UxXmlSkinHelper.h"

bool StatusBarDisclosure::Create()
{
    UxXmlNode* node = SelectSkinNode(L"StatusBar", L"Disclosure");
    if (!node) {
        UxTrace(L"StatusBarDisclosure::Create, the skin has no section StatusBar/Disclosure.\n");
        return false;
    }
    return UxWindow::ApplySkin(node);
}
