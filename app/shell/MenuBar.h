#pragma once

#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxCheckButton.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxPopup.h"

#include <string>

// The bar at the bottom of the screen: the on-screen keyboard's toggle, the system
// menu's button and the marks of unread chats and memos.
class MenuBar : public UxWindow {
public:
    MenuBar();
    ~MenuBar() override;

    bool Create();
    bool OnSipShown(const plat::RECT& panelRect) override;
    bool OnSipHidden() override;
    bool OnChildEvent(UxWindow* child, int32_t code) override;

    void ShowSystemMenuButton();
    void HideSystemMenuButton();
    // The marks follow the unread chats and memos.
    void UpdateNotifyImages();
    // Add group, add buddy, buddy requests, log out.
    void OpenSystemMenu();
    // The keyboard button names the panel keyboard's mode: the skin's Hangul or Latin text.
    void ShowKeyboardMode(bool hangul);

    // What the system menu's rows do once one was tapped (result 1).
    static void OnSystemMenuClosed(uintptr_t context, UxPopup* menu, int32_t result);

    UxImageWindow BackSkin;
    UxCheckButton SipButton;
    UxButton SystemMenuButton;
    UxImageWindow ChatNotifyImage;
    UxImageWindow MemoNotifyImage;

private:
    static void OnKeyboardModeChanged(bool hangul);

    bool m_panelShownAtPress = false;
    std::wstring m_hangulText;
    std::wstring m_latinText;
};
