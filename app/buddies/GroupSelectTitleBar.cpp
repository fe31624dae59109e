#include "app/buddies/GroupSelectTitleBar.h"

#include "app/shell/SkinParts.h"

GroupSelectTitleBar::~GroupSelectTitleBar()
{
    RemoveChildren();
}

bool GroupSelectTitleBar::ApplySkin(UxXmlNode* node)
{
    return FilledWindow::ApplySkin(node)
        && AddSkinParts(*this, node,
            { { L"BuddyIcon", &BuddyIcon }, { L"BuddyName", &BuddyName }, { L"BuddyNick", &BuddyNick } });
}

void GroupSelectTitleBar::SetLines(const std::wstring& first, const std::wstring& second)
{
    BuddyName.SetText(first);
    BuddyNick.SetText(second);
    Invalidate();
}
