#include "app/options/OptionTitleBar.h"

#include "app/shell/SkinParts.h"

OptionTitleBar::~OptionTitleBar()
{
    RemoveChildren();
}

bool OptionTitleBar::ApplySkin(UxXmlNode* node)
{
    if (!FilledWindow::ApplySkin(node))
        return false;
    return AddSkinParts(*this, node, { { L"HelpText1", &HelpText1 }, { L"HelpText2", &HelpText2 } });
}
