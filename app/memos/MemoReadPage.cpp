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
    UxXmlNode* node = CreateFromSkin();
    return node && AddSkinParts(*this, node, { { L"ButtonBar", &m_buttonBar }, { L"View", &m_view } });
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
