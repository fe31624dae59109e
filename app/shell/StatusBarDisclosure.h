#pragma once

#include "ux/core/UxPanel.h"

// The status bar at the top of the screen ("StatusBar", "Disclosure").
class StatusBarDisclosure : public UxPanel {
public:
    bool Create();
};
