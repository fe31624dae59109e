#include "app/memos/MemoReadPage.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "ux/core/UxNavigationController.h"
#include "ux/markup/UxXmlNode.h"

MemoReadPage::~MemoReadPage()
{
    RemoveChildren();
}

bool MemoReadPage::Create()
{
    UxXmlNode* node = SelectSection(L"MemoReadPage::Create", L"MemoRead");
    if (!node || !EmptyPage::Create() || !ApplySkin(node))
        return false;
    AddChild(&m_buttonBar);
    AddChild(&m_view);
    return m_buttonBar.Build(node->FindChild(L"ButtonBar")) && m_view.ApplySkin(node->FindChild(L"View"));
}

void MemoReadPage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().SetTitle(L"쪽지 보기");
}

Memo* MemoReadPage::GetShownMemo()
{
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    return navigation && navigation->GetPage() == this ? m_view.GetMemo() : nullptr;
}
