#pragma once

#include "app/buddies/FilledBar.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"

#include <string>

// Whom the group is chosen for: an icon and the two lines the caller hands over.
class GroupSelectTitleBar : public FilledBar {
public:
    ~GroupSelectTitleBar() override;

    bool Build(UxXmlNode* node);
    void SetLines(const std::wstring& first, const std::wstring& second);

    UxImageWindow BuddyIcon;
    UxLabel BuddyName;
    UxLabel BuddyNick;
};
