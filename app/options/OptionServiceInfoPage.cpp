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
    UxXmlNode* node = CreateFromSkin();
    return node && AddSkinParts(*this, node, { { L"View", &m_view } });
}

void OptionServiceInfoPage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().SetTitle(L"시스템 정보");
}
