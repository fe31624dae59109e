#include "app/chat/ChatPage.h"

#include "app/shell/EmptyPage.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/Me.h"
#include "ux/core/UxDesktop.h"
#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxNavigationController.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxTransitionManager.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"

namespace {

// A closed chat waiting to be deleted once the transition that hid its page is over.
class ClosedChat : public UxObject {
public:
    explicit ClosedChat(std::unique_ptr<ChatSession> session)
        : m_session(std::move(session))
    {
    }

private:
    std::unique_ptr<ChatSession> m_session;
};

const Buddy* FindPeer(const ChatSession* session)
{
    return session ? FindChatBuddy(session->PeerId) : nullptr;
}

int32_t MyStatus()
{
    const Me* me = Me::GetInstance();
    return me ? me->Status : BuddyStatusOnline;
}

} // namespace

const Buddy* FindChatBuddy(const std::wstring& id)
{
    BuddyList* buddies = BuddyList::GetInstance();
    if (!buddies)
        return nullptr;
    const Buddy* buddy = buddies->Find(id);
    return buddy ? buddy : buddies->FindById(id);
}

ChatPage::ChatPage() = default;

ChatPage::~ChatPage()
{
    if (UxWindow* parent = GetParent())
        parent->RemoveChild(this);
    RemoveChildren();
}

bool ChatPage::Create()
{
    UxXmlNode* node = SelectSection(L"ChatPage::Create", L"Chat");
    if (!node || !ApplySkin(node)) {
        SetVisible(false);
        return false;
    }
    if (UxXmlNode* back = node->FindChild(L"_BackColor"))
        m_backColor = back->GetColor();
    AddChild(&m_output);
    AddChild(&m_inputBar);
    m_output.Create(this);
    m_inputBar.Create(this);
    SetVisible(false);
    return true;
}

bool ChatPage::OnPaint(UxDeviceContext* surface, const plat::RECT& rect)
{
    // The conversation paints all of its own area, and when it scrolls it moves what it
    // painted before: a fill under it would make it paint everything again.
    const ChatTranscript& transcript = m_output.GetTranscript();
    plat::RECT hole;
    if (!transcript.IsVisible()
        || !IntersectRect(ScreenToSurface(transcript.GetScreenRect()), rect, &hole)) {
        surface->FillRect(m_backColor, rect);
        return true;
    }
    const plat::RECT bands[] = { { rect.left, rect.top, rect.right, hole.top },
        { rect.left, hole.bottom, rect.right, rect.bottom }, { rect.left, hole.top, hole.left, hole.bottom },
        { hole.right, hole.top, rect.right, hole.bottom } };
    for (const plat::RECT& band : bands)
        if (!IsRectEmpty(band))
            surface->FillRect(m_backColor, band);
    return true;
}

std::unique_ptr<ChatView> ChatPage::Make(ChatSession& session)
{
    auto page = std::make_unique<ChatPage>();
    page->Create();
    page->SetSession(&session);
    if (UxDesktop* desktop = UxDesktop::GetInstance())
        desktop->AddChild(page.get());
    return page;
}

void ChatPage::RefreshPeer(const std::wstring& email)
{
    ChatSessionList* chats = ChatSessionList::GetInstance();
    ChatSession* session = chats ? chats->FindOneToOne(email) : nullptr;
    if (auto* page = session ? dynamic_cast<ChatPage*>(session->GetPage()) : nullptr) {
        page->UpdatePeerStatusIcon();
        page->UpdateInputBar();
    }
}

bool ChatPage::ShowNextChat(bool backwards)
{
    MessengerApp* app = MessengerApp::GetInstance();
    ChatSessionList* chats = ChatSessionList::GetInstance();
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    if (!app || !chats || !navigation || chats->GetCount() == 0)
        return false;
    const int n = int(chats->GetCount());
    auto* shown = dynamic_cast<ChatPage*>(navigation->GetPage());
    const int at = shown ? chats->IndexOf(shown->m_session) : -1;
    // A chooser or a form half done is not left by it.
    if (shown ? at < 0 : navigation->GetDepth() != 1)
        return false;
    if (UxTransitionManager::GetInstance()->IsRunning())
        return true;
    const int target = shown ? (at + (backwards ? n - 1 : 1)) % n : (backwards ? n - 1 : 0);
    auto* page = dynamic_cast<UxWindow*>(chats->GetAt(size_t(target))->GetPage());
    if (!page || page == shown)
        return true;
    if (shown)
        app->ReplaceScreen(&app->GetStatusBarChat(), page,
            backwards ? MessengerApp::PushFromLeft : MessengerApp::PushFromRight);
    else
        app->PushScreen(&app->GetStatusBarChat(), page, MessengerApp::CoverFromBottom);
    return true;
}

void ChatPage::OnWillShow()
{
    if (!m_session)
        return;
    m_session->Unread = 0;
    m_output.UpdateTitle();
    m_output.UpdatePeerStatusIcon();
    MessengerApp* app = MessengerApp::GetInstance();
    if (app)
        app->GetNotifier().ChatRead(*m_session);
    if (ChatSessionList* chats = ChatSessionList::GetInstance(); chats && app)
        app->GetStatusBarChat().PageIndicator.SetCurrentPage(chats->IndexOf(m_session));
    if (app)
        app->UpdateNotifyIcons();
    UpdateInputBar();
    // Keys typed as soon as the chat shows go into its input.
    m_inputBar.FocusInput();
}

void ChatPage::OnHidden()
{
    ChatSessionList* chats = ChatSessionList::GetInstance();
    MessengerApp* app = MessengerApp::GetInstance();
    if (!m_closing || !chats || !app)
        return;
    // This runs inside the last step of the transition that hid the page: the session,
    // and with it the page, goes once that step is over.
    std::unique_ptr<ChatSession> session = chats->Release(m_session);
    if (!session)
        return;
    app->GetStatusBarChat().PageIndicator.RemovePage();
    app->GetChatInfoPage().GetView().Forget(session.get());
    app->GetChatListPage().GetView().Reload();
    // Its unread lines no longer count.
    app->UpdateNotifyIcons();
    if (UxPopupInstance* later = UxPopupInstance::GetInstance())
        later->DeleteLater(new ClosedChat(std::move(session)));
}

bool ChatPage::CanChat() const
{
    const int32_t mine = MyStatus();
    if (mine == BuddyStatusShownOffline || mine == BuddyStatusOffline)
        return false;
    const Buddy* peer = FindPeer(m_session);
    return !peer || ((peer->Status != BuddyStatusOffline || PeerSpoke()) && !peer->HasFlag(BuddyListBlock));
}

std::wstring ChatPage::GetDisabledReason() const
{
    if (MyStatus() == BuddyStatusShownOffline)
        return L"오프라인으로 표시된 상태입니다.";
    const Buddy* peer = FindPeer(m_session);
    if (peer && peer->Status == BuddyStatusOffline && !PeerSpoke())
        return L"대화 상대가 현재 오프라인 상태입니다.";
    if (peer && peer->HasFlag(BuddyListBlock))
        return L"대화 상대가 현재 차단된 상태입니다.";
    return L"";
}

void ChatPage::UpdateInputBar()
{
    if (CanChat()) {
        const bool back = !m_inputBar.GetInput().IsVisible();
        m_inputBar.ShowInput();
        // The input coming back on the chat in view takes the keys again, also while the
        // window is behind another: the caret is there when the person comes back.
        UxNavigationController* navigation = UxNavigationController::GetInstance();
        if (back && navigation && navigation->GetPage() == this)
            m_inputBar.FocusInput();
    } else
        m_inputBar.ShowDisabledReason(GetDisabledReason());
    m_inputBar.Invalidate();
}

bool ChatPage::PeerSpoke() const
{
    return m_session && m_session->PeerSpoke;
}

bool ChatPage::IsOnTop() const
{
    // Behind another window the page is not seen: its lines wait as unread.
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    UxDeviceWindow* device = UxDeviceWindow::GetInstance();
    return navigation && navigation->GetPage() == this && !(device && device->IsInBackground());
}
