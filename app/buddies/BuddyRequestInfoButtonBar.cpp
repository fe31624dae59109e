#include "app/buddies/BuddyRequestInfoButtonBar.h"

#include "app/buddies/BuddyRequestInfoView.h"
#include "app/shell/SkinParts.h"
#include "app/shell/StatusBarDisclosure.h"
#include "messenger/model/Buddy.h"
#include "messenger/protocol/buddies/BuddyActions.h"

BuddyRequestInfoButtonBar::~BuddyRequestInfoButtonBar()
{
    RemoveChildren();
}

bool BuddyRequestInfoButtonBar::ApplySkin(UxXmlNode* node)
{
    return FilledWindow::ApplySkin(node)
        && AddSkinParts(
            *this, node, { { L"AcceptButton", &AcceptButton }, { L"RejectButton", &RejectButton } });
}

bool BuddyRequestInfoButtonBar::OnChildEvent(UxWindow* child, int32_t code)
{
    const Buddy* buddy = m_view.GetBuddy();
    if (code != EventPointerUp || !buddy || (child != &AcceptButton && child != &RejectButton))
        return true;
    const bool sent = child == &AcceptButton ? AcceptBuddy(*buddy, m_view.GetGroupId())
                                             : RejectBuddy(*buddy, m_view.GetGroupId());
    if (sent && GetParent())
        StatusBarDisclosure::BackFrom(*GetParent());
    return true;
}
