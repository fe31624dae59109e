#pragma once

#include "app/buddies/FilledBar.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxImageWindow.h"

// The new group's name in its frame; a press anywhere on the frame puts the caret there.
class GroupAddView : public FilledBar {
public:
    ~GroupAddView() override;

    bool Build(UxXmlNode* node);
    bool OnChildEvent(UxWindow* child, int32_t code) override;

    UxImageWindow BackSkin;
    UxEdit GroupName;
};
