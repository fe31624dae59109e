#include "app/shell/DesktopNotifier.h"

#include "app/chat/ChatOutput.h"
#include "app/chat/ChatPage.h"
#include "app/memos/MemoListView.h"
#include "app/shell/Alert.h"
#include "app/shell/MainPage.h"
#include "app/shell/MessengerApp.h"
#include "messenger/MessengerScreens.h"
#include "messenger/model/Buddy.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/MemoList.h"
#include "platform/display/Display.h"
#include "platform/event/Window.h"
#include "platform/system/DesktopNotification.h"
#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxNavigationController.h"
#include "ux/core/UxText.h"

#include <algorithm>

namespace {

constexpr plat::UINT kClicked = plat::WM_USER + 1;
// Notifications remembered for their clicks. Past these the oldest one closed goes, or
// with every one still shown, the oldest, which is closed with it: nothing would take it
// away when its chat or memo is read, nor at the end of the session.
constexpr size_t kMaxTargets = 64;
// A cut looks back this far for a space to end at.
constexpr size_t kWordReach = 20;

bool IsBlank(wchar_t c)
{
    const auto code = static_cast<uint32_t>(c);
    return code <= 0x20 || code == 0x7F || code == 0x3000 || code == 0x2028 || code == 0x2029 || code == 0xA0;
}

} // namespace

DesktopNotifier::~DesktopNotifier()
{
    Detach();
}

void DesktopNotifier::Attach(plat::HWND window)
{
    m_window = window;
    wchar_t text[256];
    m_name.assign(text, plat::GetWindowTextW(window, text, 256));
    m_title = m_name;
}

void DesktopNotifier::Detach()
{
    // Quitting ends the session too: nothing it showed stays on the desktop.
    CloseAll();
    if (m_clicks) {
        plat::EndDesktopNotifications();
        plat::DestroyWindow(m_clicks);
        m_clicks = nullptr;
    }
    m_targets.clear();
    m_window = nullptr;
}

int DesktopNotifier::CountUnread()
{
    int unread = 0;
    if (ChatSessionList* chats = ChatSessionList::GetInstance())
        for (size_t i = 0; i < chats->GetCount(); ++i)
            unread += chats->GetAt(i)->Unread != 0;
    if (MemoList* memos = MemoList::GetInstance())
        unread += std::min(memos->UnreadCount, INT32_MAX - unread);
    return unread;
}

std::wstring DesktopNotifier::MakeTitle(const std::wstring& name, int unread)
{
    return unread > 0 ? name + L" (" + std::to_wstring(unread) + L")" : name;
}

std::wstring DesktopNotifier::Excerpt(const std::wstring& text)
{
    std::wstring out;
    bool blank = false;
    for (wchar_t c : text) {
        if (IsBlank(c)) {
            blank = !out.empty();
            continue;
        }
        if (blank)
            out += L' ';
        blank = false;
        out += c;
        if (out.size() > kExcerptLength)
            break;
    }
    if (out.size() <= kExcerptLength)
        return out;
    out.resize(kExcerptLength);
    const size_t space = out.rfind(L' ');
    if (space != std::wstring::npos && space + kWordReach >= kExcerptLength)
        out.resize(space);
    return out + L"…";
}

void DesktopNotifier::UpdateTitle()
{
    if (!m_window)
        return;
    const std::wstring title = MakeTitle(m_name, CountUnread());
    if (title == m_title)
        return;
    m_title = title;
    plat::SetWindowTextW(m_window, title.c_str());
}

bool DesktopNotifier::ShouldShow(int alert)
{
    UxDeviceWindow* device = UxDeviceWindow::GetInstance();
    return device && device->IsInBackground() && !CurrentAlert(alert).IsNone();
}

void DesktopNotifier::ChatLine(
    const ChatSession& session, const std::wstring& name, const std::wstring& nick, const std::wstring& text)
{
    if (!m_window || !ShouldShow(MessengerScreens::AlertChat))
        return;
    // As the conversation shows the line: flashcons by name, emoticons by their codes.
    Show(TargetOf(session.GetSerial(), L""), NameWithNick(name, nick) + L" 님의 말",
        Excerpt(ChatOutput::ConvertFlashcons(text)));
}

void DesktopNotifier::NewMemo(const Memo& memo)
{
    if (!m_window || !ShouldShow(MessengerScreens::AlertMemo))
        return;
    Show(TargetOf(0, memo.Cookie), FormatString(L"%s 님의 쪽지", MemoListView::SenderName(memo).c_str()),
        Excerpt(memo.Title));
}

DesktopNotifier::Target& DesktopNotifier::TargetOf(uint64_t chat, const std::wstring& memo)
{
    if (chat)
        for (Target& target : m_targets)
            if (target.chat == chat)
                return target;
    if (++m_lastId == 0)
        ++m_lastId;
    if (m_targets.size() >= kMaxTargets) {
        auto gone = std::find_if(m_targets.begin(), m_targets.end(), [](const Target& t) { return !t.shown; });
        if (gone == m_targets.end()) {
            gone = m_targets.begin();
            Close(*gone);
        }
        m_targets.erase(gone);
    }
    m_targets.push_back(Target { m_lastId, chat, memo });
    return m_targets.back();
}

void DesktopNotifier::Show(Target& target, const std::wstring& summary, const std::wstring& body)
{
    plat::FlashWindow(m_window, true);
    if (!m_clicks)
        m_clicks = plat::CreateMessageWindow(L"QuorixNotifications", ClickProc, reinterpret_cast<intptr_t>(this));
    plat::DesktopNotification notification;
    notification.summary = summary;
    notification.body = body;
    notification.id = target.id;
    notification.window = m_clicks;
    notification.message = kClicked;
    target.shown = plat::ShowDesktopNotification(notification) || target.shown;
}

void DesktopNotifier::Close(Target& target)
{
    if (!target.shown || !m_clicks)
        return;
    target.shown = false;
    plat::CloseDesktopNotification(m_clicks, kClicked, target.id);
}

void DesktopNotifier::ChatRead(const ChatSession& session)
{
    for (Target& target : m_targets)
        if (target.chat == session.GetSerial())
            Close(target);
}

void DesktopNotifier::MemoRead(const std::wstring& cookie)
{
    for (Target& target : m_targets)
        if (!target.chat && !cookie.empty() && target.memo == cookie)
            Close(target);
}

void DesktopNotifier::CloseAll()
{
    const bool shown = std::any_of(m_targets.begin(), m_targets.end(), [](const Target& t) { return t.shown; });
    if (shown && m_clicks)
        plat::CloseDesktopNotifications(m_clicks, kClicked);
    m_targets.clear();
}

plat::LRESULT DesktopNotifier::ClickProc(
    plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam)
{
    if (message == kClicked) {
        if (auto* self = reinterpret_cast<DesktopNotifier*>(plat::GetWindowLongPtrW(window, plat::GWLP_USERDATA)))
            self->OnClicked(static_cast<uint32_t>(wParam));
        return 0;
    }
    return plat::DefWindowProcW(window, message, wParam, lParam);
}

void DesktopNotifier::OnClicked(uint32_t id)
{
    if (!m_window)
        return;
    plat::SetForegroundWindow(m_window);
    const auto target
        = std::find_if(m_targets.begin(), m_targets.end(), [id](const Target& t) { return t.id == id; });
    if (target == m_targets.end())
        return;
    if (!target->chat) {
        ShowMemo(target->memo);
        return;
    }
    // A chat closed since, or a session ended since, has nothing more to show.
    ChatSessionList* chats = ChatSessionList::GetInstance();
    if (ChatSession* session = chats ? chats->FindBySerial(target->chat) : nullptr)
        ShowChat(*session);
}

void DesktopNotifier::ShowChat(ChatSession& session)
{
    MessengerApp* app = MessengerApp::GetInstance();
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    ChatSessionList* chats = ChatSessionList::GetInstance();
    auto* page = dynamic_cast<UxWindow*>(session.GetPage());
    if (!app || !navigation || !chats || !page || navigation->IsEmpty() || navigation->GetPage() == page)
        return;
    if (auto* shown = dynamic_cast<ChatPage*>(navigation->GetPage())) {
        // From one chat to another sideways, as a swipe goes, in the chat list's order.
        const bool later = chats->IndexOf(&session) > chats->IndexOf(shown->GetSession());
        app->ReplaceScreen(
            &app->GetStatusBarChat(), page, later ? MessengerApp::PushFromRight : MessengerApp::PushFromLeft);
        return;
    }
    app->PushScreen(&app->GetStatusBarChat(), page, MessengerApp::CoverFromBottom);
}

void DesktopNotifier::ShowMemo(const std::wstring& cookie)
{
    MessengerApp* app = MessengerApp::GetInstance();
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    MemoList* memos = MemoList::GetInstance();
    if (!app || !navigation || !memos || navigation->IsEmpty())
        return;
    if (Memo* memo = cookie.empty() ? nullptr : memos->FindByCookie(cookie)) {
        MemoListView::OpenMemo(*memo);
        return;
    }
    // Not in the box shown: the inbox, where it arrived, from the tab bar's pages.
    if (memos->Box != MemoList::BoxInbox)
        app->GetMemoListPage().GetView().SwitchBox(MemoList::BoxInbox);
    if (dynamic_cast<MainPage*>(navigation->GetPage()))
        navigation->SetPage(&app->GetMemoListPage());
}

void DesktopNotifier::OnActivate(bool active)
{
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    MessengerApp* app = MessengerApp::GetInstance();
    auto* page = navigation && active ? dynamic_cast<ChatPage*>(navigation->GetPage()) : nullptr;
    ChatSession* session = page ? page->GetSession() : nullptr;
    if (!app || !session || !session->Unread)
        return;
    session->Unread = 0;
    ChatRead(*session);
    app->UpdateNotifyIcons();
    app->UpdateChatSession(*session);
}
