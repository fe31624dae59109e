#pragma once

#include "ux/widgets/UxLabel.h"

#include <string>

// The two help lines above a choice page and the nick page, on a plain background.
class OptionTitleBar : public UxWindow {
public:
    ~OptionTitleBar() override;

    // Applies the node, adds the two labels and builds them from its children of the
    // same names. False when the node is missing or a label fails.
    bool Create(UxXmlNode* node);
    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override;

    void SetHelpText1(const std::wstring& text) { HelpText1.SetText(text); }
    void SetHelpText2(const std::wstring& text) { HelpText2.SetText(text); }

    UxLabel HelpText1;
    UxLabel HelpText2;

private:
    plat::COLORREF m_backColor = 0xFFFFFF;
};
