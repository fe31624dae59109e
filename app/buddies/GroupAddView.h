#pragma once

#include "app/shell/FilledWindow.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxImageWindow.h"

// The new group's name in its frame; a press anywhere on the frame puts the caret there.
class GroupAddView : public FilledWindow {
public:
    ~GroupAddView() override;

    // The bar's keys, then its parts from the children of their names.
    bool ApplySkin(UxXmlNode* node) override;
    bool OnChildEvent(UxWindow* child, int32_t code) override;

    UxImageWindow BackSkin;
    UxEdit GroupName;
};
