#pragma once

#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"
#include "ux/widgets/UxLedAnimation.h"

// Shown while the connection and the sign-in run: running lights and a Cancel button.
class LoginConnecting : public UxWindow {
public:
    LoginConnecting();
    ~LoginConnecting() override;

    // Builds the screen and its children from "Login" / "Connecting".
    bool Create();
    // Comes up in place of the login window the sign-in was started from, which
    // Cancel returns to.
    void Show(UxWindow* from);
    // The login window the sign-in in progress was started from; null when none is.
    UxWindow* GetOrigin() const { return m_origin; }

    bool OnVisibleChanged(bool visible) override;
    bool OnSipHidden() override;
    bool OnChildEvent(UxWindow* child, int32_t code) override;

    // Abandons the connection without a word to the service and goes back.
    void Cancel();

    UxImageWindow BackSkin;
    UxLabel CopyrightLabel;
    UxLabel ProgressText;
    UxLedAnimation ProgressLed;
    UxButton CancelButton;

private:
    plat::RECT m_skinRect {};
    UxWindow* m_origin = nullptr;
};
