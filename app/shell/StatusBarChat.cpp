#include "app/shell/StatusBarChat.h"

#include "ux/markup/UxXmlSkinHelper.h"

bool StatusBarChat::Create()
{
    UxXmlNode* node = SelectSkinNode(L"StatusBar", L"Chat");
    if (!node) {
        UxTrace(L"StatusBarChat::Create, the skin has no section StatusBar/Chat.\n");
        return false;
    }
    return UxWindow::ApplySkin(node);
}
