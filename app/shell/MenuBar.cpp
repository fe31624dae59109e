#include "app/shell/MenuBar.h"

#include "app/shell/MenuSystem.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/MemoList.h"
#include "platform/system/InputPanel.h"
#include "ux/core/UxSipHandler.h"
#include "ux/markup/UxXmlSkinHelper.h"

MenuBar::MenuBar()
{
    SetOwnSurface(true);
}

MenuBar::~MenuBar()
{
    plat::SetHangulKeyboardHandler(nullptr);
    RemoveChildren();
}

bool MenuBar::Create()
{
    UxXmlNode* node = SelectSection(L"MenuBar::Create", L"MenuBar");
    if (!node || !UxWindow::ApplySkin(node))
        return false;
    // A part the skin cannot give is left out; the bar still works.
    AddSkinParts(*this, node,
        { { L"BackSkin", &BackSkin }, { L"SipButton", &SipButton },
            { L"SystemMenuButton", &SystemMenuButton }, { L"ChatNotifyImage", &ChatNotifyImage },
            { L"MemoNotifyImage", &MemoNotifyImage } });
    ChatNotifyImage.SetVisible(false);
    MemoNotifyImage.SetVisible(false);
    UxXmlNode* sip = node->FindChild(L"SipButton");
    m_hangulText = UxXmlNode::GetText(sip ? sip->FindChild(L"HangulText") : nullptr);
    m_latinText = UxXmlNode::GetText(sip ? sip->FindChild(L"LatinText") : nullptr);
    ShowKeyboardMode(plat::IsHangulKeyboard());
    plat::SetHangulKeyboardHandler(&OnKeyboardModeChanged);
    return true;
}

void MenuBar::ShowKeyboardMode(bool hangul)
{
    const std::wstring& text = hangul ? m_hangulText : m_latinText;
    if (SipButton.GetDefaultLabel().GetText() == text)
        return;
    SipButton.GetDefaultLabel().SetText(text);
    SipButton.GetCheckedLabel().SetText(text);
    SipButton.Invalidate();
}

void MenuBar::OnKeyboardModeChanged(bool hangul)
{
    if (MessengerApp* app = MessengerApp::GetInstance())
        app->GetMenuBar().ShowKeyboardMode(hangul);
}

bool MenuBar::OnSipShown(const plat::RECT&)
{
    SipButton.SetChecked(true);
    return true;
}

bool MenuBar::OnSipHidden()
{
    SipButton.SetChecked(false);
    return true;
}

bool MenuBar::OnChildEvent(UxWindow* child, int32_t code)
{
    // The release switches the panel from what it was at the press: pressing the button
    // takes the focus from the edit being typed in, whose panel goes away at the next
    // paint, and the button's own toggle would then turn it straight back on.
    if (code == EventPointerDown && child == &SipButton)
        m_panelShownAtPress = SipButton.IsChecked();
    if (code != EventPointerUp)
        return true;
    if (child == &SipButton) {
        const bool show = !m_panelShownAtPress;
        SipButton.SetChecked(show);
        if (UxSipHandler* sip = UxSipHandler::GetInstance()) {
            if (show)
                sip->Show();
            else
                sip->RequestHide();
        }
    } else if (child == &SystemMenuButton) {
        OpenSystemMenu();
    }
    return true;
}

void MenuBar::ShowSystemMenuButton()
{
    SystemMenuButton.SetVisible(true);
    SystemMenuButton.Invalidate();
}

void MenuBar::HideSystemMenuButton()
{
    SystemMenuButton.SetVisible(false);
    SystemMenuButton.Invalidate();
}

void MenuBar::UpdateNotifyImages()
{
    ChatSessionList* chats = ChatSessionList::GetInstance();
    ChatNotifyImage.SetVisible(chats && chats->HasUnread());
    MemoList* memos = MemoList::GetInstance();
    MemoNotifyImage.SetVisible(memos && memos->Unread);
    ChatNotifyImage.Invalidate();
    MemoNotifyImage.Invalidate();
}

void MenuBar::OpenSystemMenu()
{
    auto* menu = new MenuSystem;
    if (!menu->IsBuilt()) {
        delete menu;
        return;
    }
    menu->Popup(&OnSystemMenuClosed, reinterpret_cast<uintptr_t>(this));
}

void MenuBar::OnSystemMenuClosed(uintptr_t, UxPopup* popup, int32_t result)
{
    MessengerApp* app = MessengerApp::GetInstance();
    auto* menu = dynamic_cast<MenuSystem*>(popup);
    if (result != 1 || !app || !menu)
        return;
    StatusBarDisclosure* bar = &app->GetStatusBarDisclosure();
    switch (menu->GetSelection()) {
    case MenuSystem::AddGroup:
        app->PushScreen(bar, &app->GetGroupAddPage(), MessengerApp::CoverFromBottom);
        break;
    case MenuSystem::AddBuddy:
        app->GetBuddyAddPage().Clear();
        app->PushScreen(bar, &app->GetBuddyAddPage(), MessengerApp::CoverFromBottom);
        break;
    case MenuSystem::BuddyRequests:
        app->PushScreen(bar, &app->GetBuddyRequestListPage(), MessengerApp::CoverFromBottom);
        break;
    case MenuSystem::LogOut:
        app->SignOut();
        break;
    default:
        break;
    }
}
