#include "app/memos/MemoWritePage.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

MemoWritePage::~MemoWritePage()
{
    RemoveChildren();
}

bool MemoWritePage::Create()
{
    UxXmlNode* node = SelectSection(L"MemoWritePage::Create", L"MemoWrite");
    if (!node || !EmptyPage::Create() || !ApplySkin(node))
        return false;
    AddChild(&m_view);
    return m_view.Build(node->FindChild(L"View"));
}

void MemoWritePage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().SetTitle(L"쪽지 쓰기");
    m_view.Message.SetFocus(true);
}

void MemoWritePage::OnWillHide()
{
    if (m_view.Message.IsFocused())
        m_view.Message.SetFocus(false);
}
