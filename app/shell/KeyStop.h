#pragma once

#include "ux/core/UxWindow.h"

// A place Tab stops at on something its parent draws (a row of a form). It takes no
// room, so the pointer goes on to what lies there; its keys go to the parent as key
// events, and the parent is repainted when it gains or loses the keyboard, to show it.
class KeyStop : public UxWindow {
public:
    bool IsTabStop() const override { return IsVisible(); }
    bool OnFocusChanged(bool focused) override;
    // At the top left of what it stands for, which orders it among the Tab stops.
    void PlaceAt(const plat::RECT& rect) { SetRect({ rect.left, rect.top, rect.left, rect.top }); }
};
