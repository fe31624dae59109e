#pragma once

#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxCheckButton.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"
#include "ux/widgets/UxPopup.h"

// The saved-login screen: the id of the last login, signed in again with one tap from
// the saved password digest, or forgotten for another id.
class LoginGate : public UxWindow {
public:
    LoginGate();
    ~LoginGate() override;

    // Builds the screen and its children from "Login" / "Gate".
    bool Create();
    // The one login window shown.
    void Show();

    bool OnVisibleChanged(bool visible) override;
    bool OnChildEvent(UxWindow* child, int32_t code) override;
    // Enter signs in, as the screen's first button does.
    bool OnKeyDown(uintptr_t key, intptr_t keyData) override;

    // Signs in with the saved id and digest; without a saved digest, the form.
    void Login();
    // Asks, then forgets the saved login and shows the form.
    void AskOtherId();

    static void OnOtherIdAnswered(uintptr_t context, UxPopup* box, int32_t result);
    static void OnConsentAnswered(uintptr_t context, UxPopup* box, int32_t result);

    UxImageWindow BackSkin;
    UxLabel CopyrightLabel;
    UxLabel IdText;
    UxCheckButton LoginAsOfflineCheckBox;
    UxLabel LoginAsOfflineText;
    UxButton LoginButton;
    UxButton LoginWithOtherIdButton;
};
