#pragma once

#include "ux/core/UxWindow.h"

// A window with its own surface: every screen page is one. The navigation controller
// and the transitions call the four page hooks.
class UxPanel : public UxWindow {
public:
    UxPanel() { SetOwnSurface(true); }

    virtual void OnWillShow() { }
    virtual void OnShown() { }
    virtual void OnWillHide() { }
    virtual void OnHidden() { }
};
