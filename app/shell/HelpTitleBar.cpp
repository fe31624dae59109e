#include "app/shell/HelpTitleBar.h"

#include "app/shell/SkinParts.h"

HelpTitleBar::~HelpTitleBar()
{
    RemoveChildren();
}

bool HelpTitleBar::ApplySkin(UxXmlNode* node)
{
    return FilledWindow::ApplySkin(node)
        && AddSkinParts(*this, node, { { L"HelpText1", &HelpText1 }, { L"HelpText2", &HelpText2 } });
}
