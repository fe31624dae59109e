#pragma once

#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxCheckButton.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxEditFrame.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"
#include "ux/widgets/UxPopup.h"

#include <string>

// The id and password form: a name and a mail domain, the password, the offline and
// keep choices, and the button that signs in.
class LoginCounter : public UxWindow {
public:
    LoginCounter();
    ~LoginCounter() override;

    // Builds the form and its children from "Login" / "Counter"; false only when the
    // form's own node is missing or fails.
    bool Create();
    // The one login window shown, refilled from the registry.
    void Show();

    bool OnVisibleChanged(bool visible) override;
    bool OnSipShown(const plat::RECT& panelRect) override;
    bool OnSipHidden() override;
    bool OnChildEvent(UxWindow* child, int32_t code) override;

    // Checks the boxes (an id typed whole is split into them first), asks the
    // wireless-cost question while it was never accepted, then signs in.
    void Login();
    // Connects with the form's entries and, once the connection has started, stores
    // the id, the keep choice and the saved password.
    bool SaveLoginSettings();

    // Hands id, digest and the offline choice to the model and starts the connection
    // to the dispatch server; on success the caller makes way for the connecting screen,
    // which returns to it when cancelled. False, with an alert, when the id is no single
    // address or the connection could not start: nothing changes then.
    static bool ConnectToDispatchServer(
        UxWindow* caller, const std::wstring& id, const std::wstring& digest, bool offline);

    static void OnConsentAnswered(uintptr_t context, UxPopup* box, int32_t result);

    UxImageWindow BackSkin;
    UxLabel CopyrightLabel;
    UxLabel IdText;
    UxEditFrame IdSkin;
    UxEdit IdEdit;
    UxLabel AccountText;
    UxEditFrame AccountSkin;
    UxEdit AccountEdit;
    UxButton AccountButton;
    UxLabel PasswordText;
    UxEditFrame PasswordSkin;
    UxEdit PasswordEdit;
    UxCheckButton LoginAsOfflineCheckBox;
    UxLabel LoginAsOfflineText;
    UxCheckButton KeepIdPasswordCheckBox;
    UxLabel KeepIdPasswordText;
    UxButton LoginButton;

private:
    void Fill();
    // Whether the window is the domain box (its frame or its edit) while it shows a
    // listed domain.
    bool IsDomainChoice(const UxWindow* window) const;

    // Where the skin puts the form and the password frame; the input panel moves the
    // form away from the first and back to it.
    plat::RECT m_skinRect {};
    plat::RECT m_passwordSkinRect {};
};
