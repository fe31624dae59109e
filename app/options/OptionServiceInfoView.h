#pragma once

#include "app/shell/FilledWindow.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"

// About the program: the logo and texts from the skin, and the version line, which the
// program writes from its own version.
class OptionServiceInfoView : public FilledWindow {
public:
    ~OptionServiceInfoView() override;

    // The fill, then the ten parts from the node's children of the same names. False
    // when the node is missing or a part fails.
    bool ApplySkin(UxXmlNode* node) override;

    UxImageWindow Logo;
    UxLabel VersionText;
    UxLabel LastUpdateInfoText;
    UxLabel PlatformInfoText;
    UxLabel ApplicationName;
    UxImageWindow Line;
    UxLabel TarvSupportText;
    UxLabel SupportPhone;
    UxLabel SupportMail;
    UxLabel CopyrightText;
};
