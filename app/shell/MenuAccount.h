#pragma once

#include "app/shell/AppMenu.h"

#include <string>

class UxEdit;

// The mail domain of the login form's id: twelve fixed domains, the service's own
// first, then free entry.
class MenuAccount : public AppMenu {
public:
    static constexpr int32_t kFreeEntry = 12;

    MenuAccount();
    int32_t GetSelection() { return AppMenu::GetSelection(kFreeEntry); }
    // The selected row's text; the free entry's when none is selected.
    std::wstring GetSelectedText() { return GetItemText(GetSelection()); }
    // The domain of a row; the free entry's text for any index outside 0-11.
    static std::wstring GetItemText(int32_t index);
    // What a domain edit does with the choice: a listed domain is shown read-only; the
    // free entry empties the edit and gives it the focus for typing.
    void ApplyChoice(UxEdit& domain);
    // Shows the domain as what it is: a listed one (in any case) as the list writes it,
    // read-only, chosen from the menu; any other as free entry, typed.
    static void ShowDomain(UxEdit& domain, const std::wstring& text);
    // The id the name and domain boxes make. A name typed with "@" is the whole address:
    // the part after the "@" moves to the domain box, shown as ShowDomain does. False,
    // with id empty, when the boxes make no single address (one is empty, or an "@" is
    // left over).
    static bool TakeAddress(UxEdit& name, UxEdit& domain, std::wstring& id);
    // Alt+Down and F4 in a box of the id open the menu.
    static bool IsOpenKey(uintptr_t key);
    // Opens the menu over the screen; the choice goes to the domain box, which outlives it.
    static void Open(UxEdit& domain);
    // Whether the domain box shows a listed domain, which is chosen, not typed: a press
    // on the box then opens the menu and leaves the caret where it was.
    static bool ShowsListedDomain(const UxEdit& domain);

private:
    static void OnClosed(uintptr_t domain, UxPopup* popup, int32_t result);

    static Look s_look;
};
