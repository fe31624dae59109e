#include "tools/signin/ConsoleScreens.h"

#include "messenger/model/Buddy.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Me.h"
#include "messenger/model/MemoList.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "platform/event/MessageQueue.h"
#include "ux/core/UxText.h"

#include <algorithm>
#include <set>

namespace {

std::wstring BuddyLine(const Buddy& buddy)
{
    return FormatString(L"  %s %s: %s", NameWithNick(buddy.Name, buddy.Nick).c_str(), buddy.Email.c_str(),
        ConsoleScreens::StatusText(buddy.Status).c_str());
}

} // namespace

std::wstring ConsoleScreens::StatusText(int status)
{
    static const wchar_t* const texts[]
        = { L"online", L"away", L"in a meeting", L"on the phone", L"busy", L"shown offline", L"offline" };
    return status >= 0 && status < 7 ? texts[status] : L"not reported";
}

void ConsoleScreens::Print(const std::wstring& line)
{
    const std::string bytes = ToUtf8(line + L"\n");
    std::fwrite(bytes.data(), 1, bytes.size(), m_out);
    std::fflush(m_out);
}

bool ConsoleScreens::ShowMsgBox(const std::wstring& text)
{
    std::wstring line = text;
    ReplaceAll(line, L"\n\n", L" ");
    Print(L"alert: " + line);
    return true;
}

void ConsoleScreens::ResetScreens()
{
    Print(L"session ended");
    m_signedIn = false;
    plat::PostQuitMessage(m_exitCode);
}

void ConsoleScreens::ShowLoginForm()
{
    Print(L"sign-in refused");
    plat::PostQuitMessage(m_exitCode);
}

void ConsoleScreens::RefreshMyStatus()
{
    if (const Me* me = Me::GetInstance())
        Print(FormatString(L"signed in as %s, %s", NameWithNick(me->Name, me->Nick).c_str(),
            StatusText(me->Status).c_str()));
}

bool ConsoleScreens::ReloadBuddyList()
{
    GroupList* groups = GroupList::GetInstance();
    BuddyList* buddies = BuddyList::GetInstance();
    if (!groups || !buddies)
        return false;
    std::set<std::wstring> grouped;
    for (const auto& [id, group] : groups->GetGroups()) {
        Print(FormatString(L"group %s (%u/%u online)", group.Name.c_str(),
            static_cast<unsigned>(group.CountOnline()), static_cast<unsigned>(group.GetMemberCount())));
        for (const std::wstring& member : group.Members) {
            if (const Buddy* buddy = buddies->FindById(member))
                Print(BuddyLine(*buddy));
            grouped.insert(member);
        }
    }
    // Buddies no group holds (requests towards the user, for one).
    bool header = false;
    for (const auto& [id, buddy] : buddies->GetBuddies()) {
        if (grouped.count(id))
            continue;
        if (!header)
            Print(L"not in a group");
        header = true;
        Print(BuddyLine(buddy));
    }
    return true;
}

void ConsoleScreens::ShowBuddyList()
{
    m_signedIn = true;
    Print(L"connected; press Ctrl+C to sign out");
    if (m_onSignedIn) {
        auto action = std::move(m_onSignedIn);
        m_onSignedIn = nullptr;
        action();
    }
}

void ConsoleScreens::RefreshBuddy(const std::wstring& id)
{
    BuddyList* buddies = BuddyList::GetInstance();
    if (const Buddy* buddy = buddies ? buddies->FindById(id) : nullptr)
        Print(L"status" + BuddyLine(*buddy).substr(1));
}

// Chat

namespace {

// A chat as printed lines: "[n peer] text", n being its place in the chat list.
class ConsoleChatView : public ChatView {
public:
    ConsoleChatView(ConsoleScreens& screens, ChatSession& session)
        : m_screens(screens)
        , m_session(session)
    {
    }

    void AddLine(const std::wstring& text, int kind) override
    {
        std::wstring line = text;
        ReplaceAll(line, L"\n", L" ");
        Print((kind == LineError ? L"error: " : L"") + line);
        // What a peer says, and only that, goes back in echo mode.
        static const std::wstring said = L" 님의 말:\n";
        const size_t at = text.find(said);
        if (kind == LinePeer && m_screens.GetEcho() && at != std::wstring::npos)
            SendMessage(text.substr(at + said.size()));
    }
    void SetDate(const std::wstring& text) override { Print(text); }
    void UpdateTitle() override
    {
        Print(FormatString(L"with %s, %u in the chat", m_session.PeerName.c_str(),
            static_cast<unsigned>(m_session.Participants.size())));
    }
    void UpdatePeerStatusIcon() override { }
    void UpdateInputBar() override { }
    bool IsOnTop() const override { return true; }
    void SendMessage(const std::wstring& text) override
    {
        const int result = SendChatText(m_session, text);
        if (result == ChatSendSent)
            Print(L"me: " + text);
        else if (result == ChatSendQueued)
            Print(L"waiting for the others: " + text);
    }

private:
    void Print(const std::wstring& line)
    {
        const ChatSessionList* chats = ChatSessionList::GetInstance();
        m_screens.Print(FormatString(L"[%d %s] %s", chats ? chats->IndexOf(&m_session) + 1 : 0,
            m_session.PeerId.c_str(), line.c_str()));
    }

    ConsoleScreens& m_screens;
    ChatSession& m_session;
};

} // namespace

std::unique_ptr<ChatView> ConsoleScreens::CreateChatView(ChatSession& session)
{
    return std::make_unique<ConsoleChatView>(*this, session);
}

void ConsoleScreens::AddChatSession(ChatSession& session)
{
    const ChatSessionList* chats = ChatSessionList::GetInstance();
    Print(FormatString(
        L"chat %d opened with %s", chats ? chats->IndexOf(&session) + 1 : 0, session.PeerName.c_str()));
}

// Buddies and notices

bool ConsoleScreens::ShowNotifyBox(const std::wstring& title, const std::wstring& text)
{
    Print(title + L": " + text);
    return true;
}

void ConsoleScreens::AskBuddyRequest(
    const std::wstring&, const std::wstring& email, const std::wstring& message)
{
    Print(FormatString(L"buddy request from %s: %s", email.c_str(), message.c_str()));
}

// Memos

namespace {

std::wstring MemoLine(const Memo& memo)
{
    // The sent box names whom a memo went to where the inbox names its sender.
    const MemoList* memos = MemoList::GetInstance();
    const bool sent = memos && memos->Box == MemoList::BoxSent;
    return FormatString(L"  %s %s %s %s%s: %s", memo.Cookie.c_str(),
        memo.Date.Format(L"yyyy-MM-dd hh:mm:ss").c_str(), sent ? L"to" : L"from", memo.From.c_str(),
        memo.Read ? L"" : L" (unread)", memo.GetFirstLine().c_str());
}

} // namespace

void ConsoleScreens::InsertNewMemos(int count)
{
    MemoList* memos = MemoList::GetInstance();
    for (int i = 0; memos && i < count; ++i) {
        if (const Memo* memo = memos->GetAt(static_cast<size_t>(i)))
            Print(L"new memo" + MemoLine(*memo).substr(1));
    }
}

void ConsoleScreens::AppendMemoPage(int count)
{
    MemoList* memos = MemoList::GetInstance();
    if (!memos)
        return;
    Print(FormatString(L"%s, page %d: %d memos", memos->Box == MemoList::BoxSent ? L"sent box" : L"inbox",
        memos->Page, count));
    const size_t total = memos->GetCount();
    for (size_t i = total - std::min(total, static_cast<size_t>(std::max(count, 0))); i < total; ++i)
        Print(MemoLine(*memos->GetAt(i)));
}
