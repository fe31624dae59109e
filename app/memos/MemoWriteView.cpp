#include "app/memos/MemoWriteView.h"

#include "app/shell/EditLimit.h"
#include "app/shell/MessageBoxes.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/Me.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "messenger/protocol/memos/MemoBox.h"
#include "ux/core/UxNavigationController.h"

MemoWriteView::~MemoWriteView()
{
    RemoveChildren();
}

bool MemoWriteView::ApplySkin(UxXmlNode* node)
{
    if (!FilledWindow::ApplySkin(node))
        return false;
    BackSkin.SetEdit(&Message);
    SayEditLimit(Message, L"쪽지는");
    return AddSkinParts(*this, node,
        { { L"BackSkin", &BackSkin }, { L"ReceiverButton", &ReceiverButton },
            { L"ReceiverSkin", &ReceiverSkin }, { L"ReceiverText", &ReceiverText },
            { L"SendButton", &SendButton }, { L"Message", &Message } });
}

bool MemoWriteView::OnChildEvent(UxWindow* child, int32_t code)
{
    // The receiver line is chosen, not typed, so its box opens the picker like its button.
    if (code != EventPointerUp)
        return true;
    if (child == &ReceiverButton || child == &ReceiverSkin || child == &ReceiverText)
        ChooseReceivers();
    else if (child == &SendButton)
        Send();
    return true;
}

void MemoWriteView::ChooseReceivers()
{
    MessengerApp* app = MessengerApp::GetInstance();
    if (!app)
        return;
    app->GetBuddySelectPage().SetReceiverMode(m_receivers);
    app->PushScreen(
        &app->GetStatusBarDisclosure(), &app->GetBuddySelectPage(), MessengerApp::CoverFromBottom);
}

void MemoWriteView::Reset(int32_t mode, const std::wstring& cookie, const std::wstring& text)
{
    m_mode = mode;
    m_reference = cookie;
    m_receivers.clear();
    ReceiverText.SetText(L"");
    Message.SetText(text);
    Invalidate();
}

void MemoWriteView::Clear()
{
    Reset(ModeNew, L"", L"");
}

void MemoWriteView::SetForward(const std::wstring& cookie, const std::wstring& text)
{
    Reset(ModeForward, cookie, text);
}

void MemoWriteView::SetReply(const std::wstring& cookie, const std::wstring& sender)
{
    Reset(ModeReply, cookie, L"");
    SetSingleReceiver(sender);
}

void MemoWriteView::SetReplyAll(const std::wstring& cookie, const std::vector<std::wstring>& ids)
{
    Reset(ModeReplyAll, cookie, L"");
    SetReceivers(ids);
}

void MemoWriteView::SetReceivers(const std::vector<std::wstring>& ids)
{
    m_receivers = ids;
    ReceiverText.SetText(JoinDisplayNames(ids));
    ReceiverText.Invalidate();
}

void MemoWriteView::SetSingleReceiver(const std::wstring& id)
{
    SetReceivers({ id });
}

void MemoWriteView::Send()
{
    if (m_receivers.empty()) {
        ShowMsgBox(L"받을 사람을 추가하세요.");
        return;
    }
    // Only an empty text is refused: spaces are a memo too.
    if (Message.IsEmpty()) {
        ShowMsgBox(L"내용을 작성하세요.");
        return;
    }
    TarvPeer* peer = TarvPeer::GetInstance();
    if (peer)
        MemoBox::SendMemo(*peer, m_receivers, m_mode, m_reference, Message.GetText());
    // The fields stay: the next opening sets them. A send that ends the session leaves
    // the way back to the reset.
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    MessengerApp* app = MessengerApp::GetInstance();
    if (peer && !peer->IsResetPending() && navigation && app
        && navigation->GetPage() == &app->GetMemoWritePage())
        navigation->Back();
}

std::wstring MemoWriteView::GetDisplayName(const std::wstring& id)
{
    if (const Me* me = Me::GetInstance(); me && id == me->Id)
        return me->Name;
    BuddyList* buddies = BuddyList::GetInstance();
    const Buddy* buddy = buddies ? buddies->Find(id) : nullptr;
    return buddy ? buddy->Name : id;
}

std::wstring MemoWriteView::JoinDisplayNames(const std::vector<std::wstring>& ids)
{
    std::wstring names;
    for (size_t i = 0; i < ids.size(); ++i)
        names += (i ? L";" : L"") + GetDisplayName(ids[i]);
    return names;
}
