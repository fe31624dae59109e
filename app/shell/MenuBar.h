#pragma once

#include "ux/core/UxWindow.h"

// The bar at the bottom of the main screens.
class MenuBar : public UxWindow {
public:
    MenuBar() { SetOwnSurface(true); }
    bool Create();
    void UpdateNotifyImages() { }
};
