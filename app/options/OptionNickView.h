#pragma once

#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxEditFrame.h"

// The nick field in its frame. A press anywhere on the frame puts the caret in the field.
class OptionNickView : public UxWindow {
public:
    ~OptionNickView() override;

    // Applies the node and builds the frame and the field from its children of the same
    // names. False when the node is missing or a part fails.
    bool Create(UxXmlNode* node);
    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override;

    UxEditFrame BackSkin;
    UxEdit Nick;

private:
    plat::COLORREF m_backColor = 0xFFFFFF;
};
