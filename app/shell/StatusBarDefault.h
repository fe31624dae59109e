#pragma once

#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"
#include "ux/widgets/UxPageHeader.h"

#include <string>

// The status bar above the four main pages: the user's own status and nick, and links
// to the portal's mail and social pages.
class StatusBarDefault : public UxPageHeader {
public:
    ~StatusBarDefault() override;

    bool Create();
    // The status icon and nick follow Me.
    void UpdateMyInfo();
    bool OnChildEvent(UxWindow* child, int32_t code) override;

    // The portal page a link opens: its click-through address with the code and the
    // user's web ticket.
    static std::wstring GetPortalLink(const wchar_t* code);
    // Hands the address to the desktop's opener; an alert when it cannot be opened.
    static void OpenLink(const std::wstring& link);

    UxImageWindow StatusIcon;
    UxLabel Nick;
    UxButton MailIcon;
    UxButton LumastaIcon;
};
