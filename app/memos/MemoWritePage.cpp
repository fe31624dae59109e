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
    UxXmlNode* node = CreateFromSkin();
    return node && AddSkinParts(*this, node, { { L"View", &m_view } });
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
