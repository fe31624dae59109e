#include "app/memos/MemoWritePage.h"

#include "app/shell/MessageBoxes.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "ux/core/UxNavigationController.h"
#include "ux/core/UxTransitionManager.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxMessageBox.h"

MemoWritePage::~MemoWritePage()
{
    RemoveChildren();
}

bool MemoWritePage::Create()
{
    UxXmlNode* node = CreateFromSkin();
    return node && AddSkinParts(*this, node, { { L"View", &m_view } });
}

void MemoWritePage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().SetTitle(L"쪽지 쓰기");
    m_view.Message.SetFocus(true);
}

bool MemoWritePage::OnEscape()
{
    // Without a box to ask with, Escape throws nothing away either.
    return AskBeforeDiscarding(&OnDiscardAnswered, reinterpret_cast<uintptr_t>(this)) || IsWriting();
}

bool MemoWritePage::IsWriting() const
{
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    return !m_view.Message.IsEmpty() && navigation && navigation->Holds(this);
}

bool MemoWritePage::AskBeforeDiscarding(UxPopupCallback then, uintptr_t context)
{
    return IsWriting() && ShowConfirmBox(L"작성 중인 쪽지를 취소하시겠습니까?", then, context);
}

void MemoWritePage::OnDiscardAnswered(uintptr_t context, UxPopup*, int32_t result)
{
    auto* page = reinterpret_cast<MemoWritePage*>(context);
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    // The page may have gone meanwhile (the session ended).
    if (!navigation || navigation->GetPage() != page || !page->IsShownInTree())
        return;
    // No: the writing goes on where it was.
    if (result != UxMessageBox::ResultYes) {
        page->m_view.Message.SetFocus(true);
        return;
    }
    if (UxTransitionManager::GetInstance()->IsRunning())
        return;
    page->m_view.Message.SetText(L"");
    navigation->Dismiss();
}
