#include "app/chat/ChatInputBar.h"

#include "app/chat/ChatPage.h"
#include "app/shell/EditLimit.h"
#include "app/shell/MenuEmoticon.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/EmoticonList.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "platform/display/VirtualKeys.h"
#include "ux/core/UxPath.h"
#include "ux/markup/UxXmlNode.h"

#include <algorithm>

plat::RECT ChatInputBar::s_restoreRect;

namespace {

// The chat is still open: a send that failed may have ended it.
bool IsOpen(const ChatSession* session)
{
    ChatSessionList* chats = ChatSessionList::GetInstance();
    return session && chats && chats->IndexOf(session) >= 0;
}

} // namespace

ChatInputBar::~ChatInputBar()
{
    RemoveChildren();
}

bool ChatInputBar::Create(ChatPage* page)
{
    UxXmlNode* node = SelectSection(L"ChatInputBar::Create", L"Chat", L"InputBar");
    if (!node || !ApplySkin(node))
        return false;
    m_page = page;
    m_back.SetEdit(&m_input);
    SayEditLimit(m_input, L"대화는");
    AddSkinParts(*this, node,
        { { L"BackSkin", &m_back }, { L"Input", &m_input }, { L"DisabledReason", &m_reason },
            { L"EmoticonButton", &m_emoticons } });
    s_restoreRect = GetRect();
    m_reason.SetVisible(false);
    return true;
}

void ChatInputBar::ShowInput()
{
    if (m_input.IsVisible())
        return;
    m_input.SetVisible(true);
    m_input.Invalidate();
    m_reason.SetVisible(false);
}

void ChatInputBar::FocusInput()
{
    if (m_input.IsVisible())
        m_input.SetFocus(true);
}

void ChatInputBar::ShowDisabledReason(const std::wstring& text)
{
    if (!m_input.IsVisible())
        return;
    m_input.SetVisible(false);
    Invalidate(m_input.GetRect());
    m_reason.SetVisible(true);
    m_reason.SetText(text);
}

void ChatInputBar::SendMessage(const std::wstring& text)
{
    ChatSession* session = m_page ? m_page->GetSession() : nullptr;
    if (!session || text.empty())
        return;
    const int sent = SendChatText(*session, text);
    // Nothing of this bar may be touched when the chat is gone. A line that waits for
    // the others shows all the same: what the user typed must not seem to vanish.
    if (sent == ChatSendNothing || !IsOpen(session))
        return;
    m_page->GetOutput().AddLine(FormatOwnLine(text), ChatOutput::LineOwn);
}

void ChatInputBar::SendTypingNotice(int32_t state)
{
    if (ChatSession* session = m_page ? m_page->GetSession() : nullptr)
        ::SendTypingNotice(*session, state);
}

void ChatInputBar::OpenEmoticons()
{
    ChatSession* session = m_page ? m_page->GetSession() : nullptr;
    if (!session)
        return;
    m_input.CollapseSelection();
    auto* menu = new MenuEmoticon;
    if (!menu->IsBuilt()) {
        delete menu;
        return;
    }
    // The session, not the bar, travels with the menu: the chat may close meanwhile.
    menu->Popup(&OnEmoticonChosen, reinterpret_cast<uintptr_t>(session));
}

void ChatInputBar::OnEmoticonChosen(uintptr_t context, UxPopup* popup, int32_t result)
{
    auto* session = reinterpret_cast<ChatSession*>(context);
    auto* page = IsOpen(session) ? dynamic_cast<ChatPage*>(session->GetPage()) : nullptr;
    if (!page)
        return;
    ChatInputBar& bar = page->GetInputBar();
    auto* menu = dynamic_cast<MenuEmoticon*>(popup);
    const int32_t index = menu ? menu->GetSelection() : -1;
    if (result == 1 && index >= 0 && EmoticonList::GetInstance()) {
        UxDrawItem emoticon = EmoticonList::GetInstance()->GetImage(size_t(index));
        emoticon.Desc.TargetSize = { 20, 20 };
        bar.m_input.InsertImage(emoticon);
    }
    bar.FocusInput();
}

bool ChatInputBar::OnChildEvent(UxWindow* child, int32_t code)
{
    if (child == &m_emoticons && code == EventPointerDown) {
        OpenEmoticons();
        return true;
    }
    if (child != &m_input)
        return true;
    if (code == EventKeyDown) {
        if (EventParam1 == plat::VK_DELETE && m_input.IsEmpty())
            SendTypingNotice(0);
        return true;
    }
    if (code != EventComposition && code != EventChar)
        return true;
    const wchar_t c = wchar_t(EventParam1);
    // A syllable backed out to nothing ends as an empty composition, not a backspace.
    if (c == 8 || (code == EventComposition && EventParam2 == 2)) {
        if (m_input.IsEmpty())
            SendTypingNotice(0);
    } else if (c == 13) {
        ChatSession* session = m_page ? m_page->GetSession() : nullptr;
        SendMessage(m_input.GetText());
        if (IsOpen(session))
            m_input.SetText(L"");
    } else if (m_input.GetLength() == 1) {
        SendTypingNotice(1);
    }
    return true;
}

bool ChatInputBar::OnSipShown(const plat::RECT& panelRect)
{
    if (panelRect.left == panelRect.right || panelRect.top == panelRect.bottom)
        return true;
    MessengerApp* app = MessengerApp::GetInstance();
    const int32_t statusBar = app ? app->GetStatusBarDefault().GetHeight() : 0;
    const int32_t bottom = panelRect.top - statusBar - GetTitleBarHeight();
    const plat::RECT r = GetRect();
    SetRect({ r.left, bottom - (r.bottom - r.top), r.right, bottom });
    Invalidate();
    return true;
}

bool ChatInputBar::OnSipHidden()
{
    SetRect(s_restoreRect);
    Invalidate();
    return true;
}
