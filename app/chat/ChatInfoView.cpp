#include "app/chat/ChatInfoView.h"

#include "app/chat/ChatPage.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/StatusText.h"
#include "messenger/model/Buddy.h"
#include "messenger/model/ChatSession.h"
#include "messenger/model/GroupList.h"
#include "ux/core/UxNavigationController.h"
#include "ux/widgets/UxListItemPainter.h"

bool ChatInfoView::ApplySkin(UxXmlNode* node)
{
    return FramedList::ApplySkin(node) && m_buddyIcon.Read(node, L"BuddyIcon")
        && m_buddyName.Read(node, L"BuddyName") && m_buddyNick.Read(node, L"BuddyNick")
        && m_disclosure.Read(node, L"DisclosureButton");
}

void ChatInfoView::Forget(const ChatSession* session)
{
    if (session != m_session)
        return;
    m_session = nullptr;
    Clear();
    Invalidate();
}

void ChatInfoView::Reload()
{
    Clear();
    Invalidate();
    if (m_session)
        AddItemRows(static_cast<int32_t>(m_session->Participants.size()));
}

bool ChatInfoView::IsShowingSession(const ChatSession& session) const
{
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    MessengerApp* app = MessengerApp::GetInstance();
    return navigation && app && navigation->GetPage() == &app->GetChatInfoPage() && m_session == &session;
}

bool ChatInfoView::DrawItems(UxListItemPainter& painter, int32_t index, bool selected)
{
    if (!m_session || index < 0 || size_t(index) >= m_session->Participants.size())
        return false;
    const ChatParticipant& participant = m_session->Participants[size_t(index)];
    const Buddy* buddy = FindChatBuddy(participant.Id);
    m_buddyIcon.item.SetImageCoord(
        buddy ? GetStatusIconBig(buddy->ShownStatus(), buddy->Flags) : GetStatusIconBig(0, 0));
    m_buddyIcon.Draw(painter);
    m_buddyName.Draw(painter, buddy ? buddy->Name : participant.Name, selected);
    m_buddyNick.Draw(painter, buddy ? buddy->Nick : participant.Nick, selected);
    if (buddy)
        m_disclosure.Draw(painter);
    return true;
}

void ChatInfoView::OnRowClicked(int32_t index, int32_t, int32_t)
{
    MessengerApp* app = MessengerApp::GetInstance();
    GroupList* groups = GroupList::GetInstance();
    if (!app || !groups || !m_session || index < 0 || size_t(index) >= m_session->Participants.size())
        return;
    const Buddy* buddy = FindChatBuddy(m_session->Participants[size_t(index)].Id);
    const Group* group = buddy ? groups->FindByMember(buddy->Id) : nullptr;
    if (!group)
        return;
    app->GetBuddyProfilePage().SetBuddy(buddy->Id, group->Id);
    app->PushScreen(&app->GetStatusBarDisclosure(), &app->GetBuddyProfilePage(), MessengerApp::PushFromRight);
}
