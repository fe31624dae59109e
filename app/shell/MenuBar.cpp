#include "app/shell/MenuBar.h"

#include "app/shell/SkinParts.h"
#include "ux/core/UxSipHandler.h"
#include "ux/markup/UxXmlSkinHelper.h"

MenuBar::MenuBar()
{
    SetOwnSurface(true);
}

MenuBar::~MenuBar()
{
    while (UxWindow* child = GetFirstChild())
        RemoveChild(child);
}

bool MenuBar::Create()
{
    UxXmlNode* node = SelectSection(L"MenuBar::Create", L"MenuBar");
    if (!node || !UxWindow::ApplySkin(node))
        return false;
    // A part the skin cannot give is left out; the bar still works.
    AddSkinParts(*this, node,
        { { L"BackSkin", &BackSkin }, { L"SipButton", &SipButton }, { L"SystemMenuButton", &SystemMenuButton },
            { L"ChatNotifyImage", &ChatNotifyImage }, { L"MemoNotifyImage", &MemoNotifyImage } });
    ChatNotifyImage.SetVisible(false);
    MemoNotifyImage.SetVisible(false);
    return true;
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
    if (code != EventPointerUp)
        return true;
    if (child == &SipButton) {
        // The button has toggled itself already.
        if (UxSipHandler* sip = UxSipHandler::GetInstance()) {
            if (SipButton.IsChecked())
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
    // Chat: shown while a chat session has unread lines.
    ChatNotifyImage.SetVisible(false);
    // Memos: shown while the memo list's unread flag is set.
    MemoNotifyImage.SetVisible(false);
    ChatNotifyImage.Invalidate();
    MemoNotifyImage.Invalidate();
}

void MenuBar::OpenSystemMenu() { }
