#pragma once

#include "app/shell/FilledWindow.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxImageWindow.h"

// The nick field in its frame. A press anywhere on the frame puts the caret in the field.
class OptionNickView : public FilledWindow {
public:
    ~OptionNickView() override;

    // The fill, then the frame and the field from the node's children of the same names.
    // False when the node is missing or a part fails.
    bool ApplySkin(UxXmlNode* node) override;
    bool OnChildEvent(UxWindow* child, int32_t code) override;

    UxImageWindow BackSkin;
    UxEdit Nick;
};
