#pragma once

#include "ux/widgets/UxImageWindow.h"

class UxEdit;

// A picture that belongs to an edit box: the frame drawn around it, or an icon inside
// that frame. People aim at the whole box they see, not at the text line in its middle,
// so a press anywhere on the picture focuses the edit. The press is reported to the
// parent as well, as any window's is.
class UxEditFrame : public UxImageWindow {
public:
    // The edit this picture belongs to; null for none. The edit outlives the frame or
    // is unset first.
    void SetEdit(UxEdit* edit) { m_edit = edit; }
    UxEdit* GetEdit() const { return m_edit; }

    bool OnPointerDown(int32_t x, int32_t y) override;

private:
    UxEdit* m_edit = nullptr;
};
