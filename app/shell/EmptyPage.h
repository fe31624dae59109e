#pragma once

#include "ux/core/UxPanel.h"

#include <string>

class UxXmlNode;

// A page whose screen is not built yet: it takes the place between the status bar and
// the menu bar and shows a plain background, so navigation to it works.
class EmptyPage : public UxPanel {
public:
    // name: the skin section the real page will read. A page that is no navigation
    // page (the login screens) reaches up to the top of the screen.
    explicit EmptyPage(std::wstring name, bool belowStatusBar = true);

    // Places the page above the menu bar (and under the status bar). True.
    virtual bool Create();
    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override;
    // A login screen hides the system menu: there is none while signed out. A page that
    // goes takes the keyboard's row in its list with it.
    bool OnVisibleChanged(bool visible) override;

    const std::wstring& GetName() const { return m_name; }

    // Where pages go: from the default status bar's bottom to the menu bar's top.
    static plat::RECT GetPageRect();

protected:
    // Places the page and applies its own skin section (the name): the section's node,
    // or null (traced) when the skin lacks it or it fails.
    UxXmlNode* CreateFromSkin();
    // The page is being left by Escape: what the person did on it is given up.
    static bool IsDismissed();

private:
    std::wstring m_name;
    bool m_belowStatusBar;
};
