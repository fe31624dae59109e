#include "app/shell/StatusBarDefault.h"

#include "ux/markup/UxXmlSkinHelper.h"

bool StatusBarDefault::Create()
{
    UxXmlNode* node = SelectSkinNode(L"StatusBar", L"Default");
    if (!node) {
        UxTrace(L"StatusBarDefault::Create, the skin has no section StatusBar/Default.\n");
        return false;
    }
    return UxWindow::ApplySkin(node);
}
