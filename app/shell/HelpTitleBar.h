#pragma once

#include "app/shell/FilledWindow.h"
#include "ux/widgets/UxLabel.h"

#include <string>

// Two lines of help above a form or a list of choices, on a plain background.
class HelpTitleBar : public FilledWindow {
public:
    ~HelpTitleBar() override;

    // The fill, then the two labels from the node's children of the same names. False
    // when the node is missing or a label fails.
    bool ApplySkin(UxXmlNode* node) override;

    void SetHelpText1(const std::wstring& text) { HelpText1.SetText(text); }
    void SetHelpText2(const std::wstring& text) { HelpText2.SetText(text); }

    UxLabel HelpText1;
    UxLabel HelpText2;
};
