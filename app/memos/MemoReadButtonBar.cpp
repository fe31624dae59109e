#include "app/memos/MemoReadButtonBar.h"

#include "app/shell/MessageBoxes.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/model/Me.h"
#include "messenger/model/MemoList.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "messenger/protocol/memos/MemoBox.h"
#include "ux/core/UxNavigationController.h"

#include <algorithm>

namespace {

constexpr int32_t kYes = 2;

bool InSentBox()
{
    const MemoList* memos = MemoList::GetInstance();
    return memos && memos->Box == MemoList::BoxSent;
}

// After a request went out: back to the list, unless the send is ending the session
// (the reset decides what shows then) or the read page is no longer on top.
void BackToList(MessengerApp& app)
{
    TarvPeer* peer = TarvPeer::GetInstance();
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    if (!peer || peer->IsResetPending() || !navigation || navigation->GetPage() != &app.GetMemoReadPage())
        return;
    navigation->Back();
}

void OpenWriter(MessengerApp& app)
{
    app.PushScreen(&app.GetStatusBarDisclosure(), &app.GetMemoWritePage(), MessengerApp::CoverFromBottom);
}

} // namespace

MemoReadButtonBar::~MemoReadButtonBar()
{
    RemoveChildren();
}

bool MemoReadButtonBar::ApplySkin(UxXmlNode* node)
{
    return node && UxWindow::ApplySkin(node)
        && AddSkinParts(*this, node,
            { { L"ReplyButton", &ReplyButton }, { L"ReplyAllButton", &ReplyAllButton },
                { L"ForwardButton", &ForwardButton }, { L"DeleteButton", &DeleteButton },
                { L"SpamButton", &SpamButton } });
}

bool MemoReadButtonBar::OnChildEvent(UxWindow* child, int32_t code)
{
    MessengerApp* app = MessengerApp::GetInstance();
    const Memo* shown = app ? app->GetMemoReadPage().GetView().GetMemo() : nullptr;
    if (code != EventPointerUp || !shown)
        return true;
    const uintptr_t context = reinterpret_cast<uintptr_t>(this);
    if (child == &DeleteButton || child == &SpamButton)
        m_askedCookie = shown->Cookie;
    if (child == &ReplyButton) {
        Reply();
    } else if (child == &ReplyAllButton) {
        ReplyAll();
    } else if (child == &ForwardButton) {
        Forward();
    } else if (child == &DeleteButton) {
        ShowConfirmBox(L"지금 보고 있는 쪽지를 삭제하시겠습니까?", &OnDeleteAnswered, context);
    } else if (child == &SpamButton) {
        if (InSentBox())
            ShowMsgBox(L"보낸 쪽지는 스팸 신고를 할 수 없습니다.");
        else
            ShowConfirmBox(L"지금 보고 있는 쪽지를 신고하시겠습니까?", &OnSpamAnswered, context);
    }
    return true;
}

void MemoReadButtonBar::Reply()
{
    if (InSentBox()) {
        ShowMsgBox(L"보낸 쪽지에는 답장을 할 수 없습니다.");
        return;
    }
    MessengerApp& app = *MessengerApp::GetInstance();
    const Memo& memo = *app.GetMemoReadPage().GetView().GetMemo();
    app.GetMemoWritePage().GetView().SetReply(memo.Cookie, memo.From);
    OpenWriter(app);
}

void MemoReadButtonBar::ReplyAll()
{
    if (InSentBox()) {
        ShowMsgBox(L"보낸 쪽지에는 답장을 할 수 없습니다.");
        return;
    }
    MessengerApp& app = *MessengerApp::GetInstance();
    const MemoReadView& view = app.GetMemoReadPage().GetView();
    std::vector<std::wstring> receivers { view.GetMemo()->From };
    receivers.insert(receivers.end(), view.GetReceivers().begin(), view.GetReceivers().end());
    // The user's own id is one of the memo's receivers: no answer to oneself.
    if (const Me* me = Me::GetInstance())
        if (auto own = std::find(receivers.begin(), receivers.end(), me->Id); own != receivers.end())
            receivers.erase(own);
    app.GetMemoWritePage().GetView().SetReplyAll(view.GetMemo()->Cookie, receivers);
    OpenWriter(app);
}

void MemoReadButtonBar::Forward()
{
    MessengerApp& app = *MessengerApp::GetInstance();
    MemoReadView& view = app.GetMemoReadPage().GetView();
    app.GetMemoWritePage().GetView().SetForward(view.GetMemo()->Cookie, view.Content.GetText());
    OpenWriter(app);
}

Memo* MemoReadButtonBar::AskedMemo()
{
    MessengerApp* app = MessengerApp::GetInstance();
    MemoList* memos = MemoList::GetInstance();
    if (!app || !memos)
        return nullptr;
    const std::wstring& cookie = app->GetMemoReadPage().GetButtonBar().m_askedCookie;
    return cookie.empty() ? nullptr : memos->FindByCookie(cookie);
}

void MemoReadButtonBar::OnDeleteAnswered(uintptr_t, UxPopup*, int32_t result)
{
    MessengerApp* app = MessengerApp::GetInstance();
    TarvPeer* peer = TarvPeer::GetInstance();
    Memo* memo = result == kYes ? AskedMemo() : nullptr;
    if (!memo || !peer)
        return;
    MemoBox::DeleteMemo(*peer, memo->Cookie);
    // The answer is not waited for: the memo leaves the list at once.
    MemoReadView& view = app->GetMemoReadPage().GetView();
    if (view.GetMemo() == memo)
        view.Forget();
    app->GetMemoListPage().GetView().RemoveMemo(memo);
    BackToList(*app);
}

void MemoReadButtonBar::OnSpamAnswered(uintptr_t, UxPopup*, int32_t result)
{
    MessengerApp* app = MessengerApp::GetInstance();
    TarvPeer* peer = TarvPeer::GetInstance();
    const Memo* memo = result == kYes ? AskedMemo() : nullptr;
    if (!memo || !peer)
        return;
    MemoBox::ReportSpam(*peer, memo->Cookie);
    // The box is read again: the service has taken the memo out of it.
    app->GetMemoReadPage().GetView().Forget();
    MemoList* memos = MemoList::GetInstance();
    if (memos && !peer->IsResetPending())
        app->GetMemoListPage().GetView().SwitchBox(memos->Box);
    BackToList(*app);
}
