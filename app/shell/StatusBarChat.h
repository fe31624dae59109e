#pragma once

#include "ux/core/UxPanel.h"

// The status bar at the top of the screen ("StatusBar", "Chat").
class StatusBarChat : public UxPanel {
public:
    bool Create();
};
