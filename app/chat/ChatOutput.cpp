#include "app/chat/ChatOutput.h"

#include "app/chat/ChatPage.h"
#include "app/shell/MenuCopy.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "app/shell/StatusText.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/EmoticonList.h"
#include "ux/core/UxPath.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/markup/UxXmlNode.h"

#include <algorithm>

ChatOutput::Look ChatOutput::s_look;

namespace {

constexpr const wchar_t* kNames[] = { L"TSkin", L"BSkin", L"LSkin", L"RSkin", L"BuddyIcon", L"Title",
    L"InviteButton", L"Output", L"Date" };
constexpr size_t kBottom = 1, kLeft = 2, kRight = 3, kOutput = 7, kDate = 8;

// After the copy menu the line it copied is no longer marked and typing goes on in the
// chat's input, when the chat is still open (the session, not the view, travels with
// the menu).
void AfterCopyMenu(uintptr_t context, UxPopup*, int32_t)
{
    auto* session = reinterpret_cast<ChatSession*>(context);
    ChatSessionList* chats = ChatSessionList::GetInstance();
    auto* page = session && chats && chats->IndexOf(session) >= 0 ? dynamic_cast<ChatPage*>(session->GetPage())
                                                                   : nullptr;
    if (!page)
        return;
    page->GetOutput().GetTranscript().Unmark();
    if (page->GetInputBar().GetInput().IsShownInTree())
        page->GetInputBar().GetInput().SetFocus(true);
}

} // namespace

ChatOutput::ChatOutput()
    : m_swipe(this)
{
}

ChatOutput::~ChatOutput()
{
    RemoveChildren();
}

std::array<UxWindow*, 9> ChatOutput::Children()
{
    return { &m_top, &m_bottom, &m_left, &m_right, &m_buddyIcon, &m_title, &m_invite, &m_output, &m_date };
}

bool ChatOutput::Create(ChatPage* page)
{
    UxXmlNode* node = SelectSection(L"ChatOutput::Create", L"Chat", L"View");
    if (!node || !ApplySkin(node))
        return false;
    m_page = page;
    const std::array<UxWindow*, 9> children = Children();
    for (size_t i = 0; i < children.size(); ++i) {
        AddChild(children[i]);
        UxXmlNode* child = node->FindChild(kNames[i]);
        if (child && !children[i]->ApplySkin(child))
            UxTrace(L"ChatOutput::Create, %s cannot be built from the skin.\n", kNames[i]);
        s_look.rects[i] = children[i]->GetRect();
    }
    // Over the conversation, under nothing else.
    AddChild(&m_newLines);
    if (UxXmlNode* sign = node->FindChild(L"NewLinesButton"); sign && !m_newLines.ApplySkin(sign))
        UxTrace(L"ChatOutput::Create, %s cannot be built from the skin.\n", L"NewLinesButton");
    s_look.newLines = m_newLines.GetRect();
    m_newLines.SetVisible(false);
    m_output.SetUnseenListener([this](bool unseen) { ShowNewLines(unseen); });
    if (UxXmlNode* output = node->FindChild(L"Output")) {
        if (UxXmlNode* n = output->FindChild(L"FontSize"))
            s_look.fontSize = n->GetInt();
        if (UxXmlNode* n = output->FindChild(L"BackColor"))
            s_look.backColor = n->GetColor();
        const wchar_t* colours[] = { L"TextColorSystem", L"TextColorMe", L"TextColorOther", L"TextColorError" };
        for (size_t i = 0; i < 4; ++i)
            if (UxXmlNode* n = output->FindChild(colours[i]))
                s_look.colors[i] = n->GetColor();
    }
    m_swipe.SetMask(UxSwipeDetector::Left | UxSwipeDetector::Right);
    m_swipe.SetThresholds(100, 100);
    return true;
}

std::wstring ChatOutput::ConvertFlashcons(const std::wstring& text)
{
    static const std::wstring kOpen = L"<FLCON", kClose = L"/FLCON>";
    std::wstring out;
    size_t c = 0;
    size_t p = text.find(kOpen);
    while (p != std::wstring::npos) {
        const size_t q = text.find(kClose, p);
        if (q == std::wstring::npos)
            break;
        // The fourth field of the tag: "<FLCON", two fields, then the name. Every field
        // holds at least one character and none runs past the tag.
        const std::wstring tag = text.substr(p, q + kClose.size() - p);
        size_t start = 0;
        bool found = true;
        for (int field = 0; field < 3 && found; ++field) {
            const size_t bar = tag.find(L'|', start);
            found = bar != std::wstring::npos && bar > start;
            start = found ? bar + 1 : start;
        }
        const size_t stop = found ? tag.find(L'|', start) : std::wstring::npos;
        const size_t length = (stop == std::wstring::npos ? tag.size() : stop) - start;
        if (!found || length == 0)
            break;
        out.append(text, c, p - c);
        out += L"플래시콘 (" + tag.substr(start, length) + L")";
        c = q + kClose.size();
        p = text.find(kOpen, c);
    }
    out.append(text, c, std::wstring::npos);
    return out;
}

void ChatOutput::AddLine(const std::wstring& text, int kind)
{
    const std::wstring converted = ConvertFlashcons(text);
    AppendMessage(m_output.IsEmpty() ? converted : L"\n" + converted, kind);
    if (kind == LineOwn)
        m_output.ScrollToEnd();
}

void ChatOutput::ShowNewLines(bool shown)
{
    if (m_newLines.IsVisible() == shown)
        return;
    m_newLines.SetVisible(shown);
    // Hidden, the conversation under it shows again.
    Invalidate(m_newLines.GetRect());
}

void ChatOutput::PlaceNewLines()
{
    const plat::RECT& skin = s_look.newLines;
    const int32_t lift = s_look.rects[kOutput].bottom - skin.top;
    const int32_t top = m_output.GetRect().bottom - lift;
    const bool shown = m_newLines.IsVisible();
    if (shown)
        Invalidate(m_newLines.GetRect());
    m_newLines.SetRect({ skin.left, top, skin.right, top + (skin.bottom - skin.top) });
    if (shown)
        Invalidate(m_newLines.GetRect());
}

void ChatOutput::AppendMessage(const std::wstring& text, int kind)
{
    UxTextStyle style;
    style.Font.Height = s_look.fontSize;
    style.Font.Weight = 700;
    style.BackColor = s_look.backColor;
    style.TextColor = kind >= 0 && kind < 4 ? s_look.colors[kind] : 0;
    m_output.SetStyle(style);

    const EmoticonList* emoticons = EmoticonList::GetInstance();
    size_t s = 0;
    size_t p = text.find(L'/');
    while (p != std::wstring::npos) {
        m_output.InsertText(text.substr(s, p - s));
        const size_t e = text.find(L'/', p + 1);
        if (e == std::wstring::npos) {
            s = p;
            break;
        }
        const UxDrawItem image = emoticons ? emoticons->FindImage(text.substr(p, e - p + 1)) : UxDrawItem();
        if (!image.Text.empty() && m_output.InsertImage(image)) {
            s = e + 1;
        } else {
            // The closing slash may open the next code.
            m_output.InsertText(text.substr(p, e - p));
            s = e;
        }
        p = text.find(L'/', s);
    }
    m_output.InsertText(text.substr(std::min(s, text.size())));
}

void ChatOutput::SetTitle(const std::wstring& text)
{
    m_title.SetText(text);
    m_title.Invalidate();
}

void ChatOutput::SetDate(const std::wstring& text)
{
    m_date.SetText(text);
    m_date.Invalidate();
}

void ChatOutput::UpdateTitle()
{
    ChatSession* session = m_page ? m_page->GetSession() : nullptr;
    if (!session)
        return;
    const size_t n = session->Participants.size();
    SetTitle(n < 2 ? session->PeerName + L" 님"
                   : FormatString(L"%s 님 외 %d 명", session->Participants.front().Name.c_str(), int(n - 1)));
}

void ChatOutput::UpdatePeerStatusIcon(const Buddy* buddy)
{
    if (!buddy) {
        ChatSession* session = m_page ? m_page->GetSession() : nullptr;
        buddy = session ? FindChatBuddy(session->PeerId) : nullptr;
        if (!buddy)
            return;
    }
    m_buddyIcon.GetImage().SetImageCoord(GetStatusIconSmall(buddy->ShownStatus(), buddy->Flags));
    m_buddyIcon.Invalidate();
}

void ChatOutput::Invite()
{
    MessengerApp* app = MessengerApp::GetInstance();
    ChatSession* session = m_page ? m_page->GetSession() : nullptr;
    if (!app || !session)
        return;
    app->GetBuddySelectPage().SetInviteMode(*session);
    app->PushScreen(&app->GetStatusBarDisclosure(), &app->GetBuddySelectPage(), MessengerApp::CoverFromBottom);
}

bool ChatOutput::OnChildEvent(UxWindow* child, int32_t code)
{
    const int32_t x = int32_t(EventParam1), y = int32_t(EventParam2);
    if (code == EventPointerDown) {
        m_swipe.Begin(x, y);
    } else if (code == EventPointerUp) {
        // A swipe that ends on the invite button moves to the next chat and invites
        // nobody; one that ends on the sign leaves the conversation where it is.
        const bool swiped = m_swipe.End(x, y) >= 0;
        if (!swiped && child == &m_invite)
            Invite();
        else if (!swiped && child == &m_newLines)
            m_output.ScrollToEnd();
    }
    return true;
}

bool ChatOutput::OnGesture(UxWindow* sender, int32_t direction)
{
    ChatSessionList* chats = ChatSessionList::GetInstance();
    MessengerApp* app = MessengerApp::GetInstance();
    ChatSession* session = m_page ? m_page->GetSession() : nullptr;
    if (sender || !chats || !app || !session || (direction != 0 && direction != 4))
        return true;
    const int i = chats->IndexOf(session);
    const int n = int(chats->GetCount());
    if (i < 0)
        return true;
    const int target = direction == 0 ? std::min(i + 1, n - 1) : std::max(i - 1, 0);
    if (target == i)
        return true;
    auto* page = dynamic_cast<UxWindow*>(chats->GetAt(size_t(target))->GetPage());
    if (page)
        app->ReplaceScreen(&app->GetStatusBarChat(), page,
            direction == 0 ? MessengerApp::PushFromRight : MessengerApp::PushFromLeft);
    return true;
}

bool ChatOutput::OnContextMenu(int32_t x, int32_t y)
{
    if (!m_output.IsVisible() || !PointInRect(m_output.GetScreenRect(), plat::POINT { x, y }))
        return UxWindow::OnContextMenu(x, y);
    const int32_t at = m_output.ScreenToClient(plat::POINT { x, y }).y;
    const std::wstring line = m_output.GetLineAt(at);
    if (line.empty())
        return false;
    // The line stays in sight, marked, beside the menu that copies it.
    const plat::RECT shown = m_output.ClientToScreen(m_output.MarkLineAt(at));
    if (MenuCopy::Open(line, shown, &AfterCopyMenu, reinterpret_cast<uintptr_t>(m_page ? m_page->GetSession() : nullptr)))
        return true;
    m_output.Unmark();
    return false;
}

bool ChatOutput::OnSipShown(const plat::RECT& panelRect)
{
    if (panelRect.left == panelRect.right || panelRect.top == panelRect.bottom)
        return true;
    // The end stays in view; a view scrolled back keeps its first line where it is.
    const bool atEnd = m_output.IsAtEnd();
    MessengerApp* app = MessengerApp::GetInstance();
    const int32_t statusBar = app ? app->GetStatusBarDefault().GetHeight() : 0;
    const int32_t inputBar = m_page ? m_page->GetInputBar().GetHeight() : 0;
    // A panel that leaves no room shrinks the conversation to nothing, not below it.
    const int32_t h = std::max(0,
        panelRect.top - inputBar - m_top.GetHeight() - statusBar - GetTitleBarHeight() - 30);
    for (UxWindow* side : { static_cast<UxWindow*>(&m_left), static_cast<UxWindow*>(&m_right),
             static_cast<UxWindow*>(&m_output) }) {
        plat::RECT r = side->GetRect();
        r.bottom = r.top + h;
        side->SetRect(r);
    }
    const int32_t bottomTop = m_top.GetRect().bottom + h;
    const plat::RECT& b = s_look.rects[kBottom];
    m_bottom.SetRect({ b.left, bottomTop, b.right, bottomTop + (b.bottom - b.top) });
    const plat::RECT& d = s_look.rects[kDate];
    m_date.SetRect({ d.left, bottomTop + 9, d.right, bottomTop + 9 + (d.bottom - d.top) });
    PlaceNewLines();
    if (atEnd)
        m_output.ScrollToEnd();
    Invalidate();
    return true;
}

bool ChatOutput::OnSipHidden()
{
    const bool atEnd = m_output.IsAtEnd();
    for (size_t i : { kBottom, kLeft, kRight, kOutput, kDate })
        Children()[i]->SetRect(s_look.rects[i]);
    PlaceNewLines();
    m_output.GetYAxis().Settle();
    if (atEnd)
        m_output.ScrollToEnd();
    Invalidate();
    return true;
}
