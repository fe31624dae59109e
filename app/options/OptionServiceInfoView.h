#pragma once

#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"

// About the program: the logo and texts from the skin, and the version line, which the
// program writes from its own version.
class OptionServiceInfoView : public UxWindow {
public:
    ~OptionServiceInfoView() override;

    // Applies the node and builds the ten parts from its children of the same names.
    // False when the node is missing or a part fails.
    bool Create(UxXmlNode* node);
    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override;

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

private:
    plat::COLORREF m_backColor = 0xFFFFFF;
};
