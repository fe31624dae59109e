#include "app/buddies/GroupSelectPage.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/model/GroupList.h"
#include "messenger/protocol/buddies/BuddyActions.h"
#include "ux/markup/UxXmlNode.h"

GroupSelectPage::~GroupSelectPage()
{
    RemoveChildren();
}

bool GroupSelectPage::Create()
{
    UxXmlNode* node = CreateFromSkin();
    return node && AddSkinParts(*this, node, { { L"TitleBar", &m_titleBar }, { L"View", &m_view } });
}

void GroupSelectPage::Setup(
    int32_t mode, const std::wstring& firstLine, const std::wstring& secondLine, const std::wstring& groupName)
{
    m_mode = mode;
    if (mode == ModeAdd || mode == ModeMove || mode == ModeRequest)
        m_view.SetSelectedName(groupName);
    m_titleBar.SetLines(firstLine, secondLine);
}

void GroupSelectPage::OnWillShow()
{
    m_view.Reload();
}

void GroupSelectPage::OnWillHide()
{
    MessengerApp* app = MessengerApp::GetInstance();
    GroupList* groups = GroupList::GetInstance();
    // Left by Escape: the choice is given up.
    if (!app || !groups || IsDismissed())
        return;
    const std::wstring& name = m_view.GetSelectedName();
    if (m_mode == ModeAdd) {
        app->GetBuddyAddPage().SetGroupName(name);
        return;
    }
    const Group* group = groups->FindByName(name);
    if (!group)
        return;
    if (m_mode == ModeMove) {
        BuddyProfileView& profile = app->GetBuddyProfilePage().GetView();
        // Nothing goes out for the group the buddy is in already.
        if (const Buddy* buddy = profile.GetBuddy(); buddy && group->Id != profile.GetGroupId())
            MoveBuddy(*buddy, profile.GetGroupId(), group->Id);
    } else if (m_mode == ModeRequest) {
        app->GetBuddyRequestInfoPage().SetGroup(group->Id);
    }
}
