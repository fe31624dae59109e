#include "app/shell/MenuBar.h"

#include "ux/markup/UxXmlSkinHelper.h"

bool MenuBar::Create()
{
    UxXmlNode* node = SelectSkinNode(L"MenuBar");
    if (!node) {
        UxTrace(L"MenuBar::Create, the skin has no section MenuBar.\n");
        return false;
    }
    return UxWindow::ApplySkin(node);
}
