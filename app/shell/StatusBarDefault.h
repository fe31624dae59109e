#pragma once

#include "ux/core/UxPanel.h"

// The status bar at the top of the screen ("StatusBar", "Default").
class StatusBarDefault : public UxPanel {
public:
    bool Create();
};
