#include "app/options/OptionServiceInfoPage.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

OptionServiceInfoPage::~OptionServiceInfoPage()
{
    RemoveChildren();
}

bool OptionServiceInfoPage::Create()
{
    UxXmlNode* node = SelectSection(L"OptionServiceInfoPage::Create", L"OptionServiceInfo");
    if (!node || !EmptyPage::Create() || !ApplySkin(node))
        return false;
    AddChild(&m_view);
    return m_view.Create(node->FindChild(L"View"));
}

void OptionServiceInfoPage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().SetTitle(L"시스템 정보");
}
