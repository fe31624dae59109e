#include "app/buddies/GroupAddPage.h"

#include "app/shell/EditLimit.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

GroupAddPage::~GroupAddPage()
{
    RemoveChildren();
}

bool GroupAddPage::Create()
{
    UxXmlNode* node = CreateFromSkin();
    SayEditLimit(m_view.Edit, L"그룹 이름은");
    return node && AddSkinParts(*this, node, { { L"TitleBar", &m_titleBar }, { L"View", &m_view } });
}

void GroupAddPage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance()) {
        StatusBarDisclosure& bar = app->GetStatusBarDisclosure();
        bar.SetTitle(L"그룹 추가");
        bar.ShowAddButton(bar.GroupAddButton);
    }
    m_view.Edit.SetFocus(true);
}

bool GroupAddPage::OnEnter()
{
    return StatusBarDisclosure::Press(&StatusBarDisclosure::GroupAddButton);
}

void GroupAddPage::OnWillHide()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().HideAddButtons();
}
