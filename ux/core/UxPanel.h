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

    // The view the keyboard's arrow and page keys act on when the pointer names none:
    // the page's main list or conversation; null when it has none.
    virtual UxWindow* GetKeyView() { return nullptr; }
    // Enter that no popup, list row or box took: true when the page acted on it (a
    // one-line form is sent as its button sends it).
    virtual bool OnEnter() { return false; }
    // Escape on the page: true when the page answered it itself (it asks first);
    // otherwise the page is left without applying anything.
    virtual bool OnEscape() { return false; }
};
