#pragma once

#include "ux/core/UxEasing.h"

#include <cstdint>

class UxWindow;

// A window to show and how it arrives (a transition kind and direction of
// UxTransitionRequest, used when its transition is enabled).
struct UxNavigationItem {
    UxNavigationItem() = default;
    explicit UxNavigationItem(UxWindow* window)
        : Window(window)
    {
    }
    UxNavigationItem(UxWindow* window, int32_t kind, int32_t parameter, const UxTransitionSpec& spec)
        : Window(window)
        , Kind(kind)
        , Parameter(parameter)
        , Spec(spec)
    {
    }

    UxWindow* Window = nullptr;
    int32_t Kind = 0;
    int32_t Parameter = 0;
    UxTransitionSpec Spec;
};

// What the screen shows: a status bar and a page.
struct UxNavigationEntry {
    enum Slot { StatusBar = 0, Page = 1 };

    UxNavigationEntry() = default;
    UxNavigationEntry(const UxNavigationItem& statusBar, const UxNavigationItem& page)
        : Items { statusBar, page }
    {
    }

    UxNavigationItem Items[2];
};
