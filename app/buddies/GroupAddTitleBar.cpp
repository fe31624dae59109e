#include "app/buddies/GroupAddTitleBar.h"

#include "app/shell/SkinParts.h"

GroupAddTitleBar::~GroupAddTitleBar()
{
    RemoveChildren();
}

bool GroupAddTitleBar::ApplySkin(UxXmlNode* node)
{
    return FilledWindow::ApplySkin(node)
        && AddSkinParts(*this, node, { { L"HelpText1", &HelpText1 }, { L"HelpText2", &HelpText2 } });
}
