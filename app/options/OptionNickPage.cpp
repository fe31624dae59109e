#include "app/options/OptionNickPage.h"

#include "app/shell/EditLimit.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/model/Me.h"
#include "messenger/protocol/buddies/BuddyActions.h"
#include "ux/markup/UxXmlSkinHelper.h"

OptionNickPage::~OptionNickPage()
{
    RemoveChildren();
}

bool OptionNickPage::Create()
{
    UxXmlNode* titleBar = SelectSection(L"OptionNickPage::Create", L"Option", L"TitleBar");
    UxXmlNode* node = titleBar ? CreateFromSkin() : nullptr;
    if (!node)
        return false;
    AddChild(&m_titleBar);
    SayEditLimit(m_view.Edit, L"대화명은");
    return m_titleBar.ApplySkin(titleBar) && AddSkinParts(*this, node, { { L"View", &m_view } });
}

void OptionNickPage::OnWillShow()
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetStatusBarDisclosure().SetTitle(L"내 대화명 설정");
    m_titleBar.SetHelpText1(L"내 대화명을 설정하세요.");
    m_titleBar.SetHelpText2(L"");
    const Me* me = Me::GetInstance();
    m_view.Edit.SetText(me ? me->Nick : L"");
    m_shown = m_view.Edit.GetText();
}

void OptionNickPage::OnShown()
{
    m_view.Edit.SetFocus(true);
}

void OptionNickPage::OnWillHide()
{
    if (m_view.Edit.IsFocused())
        m_view.Edit.SetFocus(false);
    const std::wstring text = m_view.Edit.GetText();
    if (text != m_shown && !IsDismissed())
        ChangeNick(text);
    m_shown = text;
}

void OptionNickPage::Forget()
{
    m_view.Edit.SetText(L"");
    m_shown.clear();
}

bool OptionNickPage::OnEnter()
{
    return StatusBarDisclosure::Press(&StatusBarDisclosure::BackButton);
}
