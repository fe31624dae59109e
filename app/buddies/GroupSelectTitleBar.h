#pragma once

#include "app/shell/FilledWindow.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"

#include <string>

// Whom the group is chosen for: an icon and the two lines the caller hands over.
class GroupSelectTitleBar : public FilledWindow {
public:
    ~GroupSelectTitleBar() override;

    // The bar's keys, then its parts from the children of their names.
    bool ApplySkin(UxXmlNode* node) override;
    void SetLines(const std::wstring& first, const std::wstring& second);

    UxImageWindow BuddyIcon;
    UxLabel BuddyName;
    UxLabel BuddyNick;
};
