#pragma once

#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxLabel.h"
#include "ux/widgets/UxPageHeader.h"

#include <string>

// The status bar above detail pages: back, a title, and the confirm buttons of the
// buddy-add and group-add pages (hidden unless those pages show them).
class StatusBarDisclosure : public UxPageHeader {
public:
    ~StatusBarDisclosure() override;

    bool Create();
    void SetTitle(const std::wstring& text);
    // The confirm button of the add page coming up; the other one goes.
    void ShowAddButton(UxButton& button);
    // Neither confirm button: their pages are gone.
    void HideAddButtons();
    bool OnChildEvent(UxWindow* child, int32_t code) override;
    // What a tap on one of the bar's buttons does (Enter on the page below it).
    static bool Press(UxButton StatusBarDisclosure::*button);
    // The unread marks are fresh whenever a detail page comes up.
    void OnWillShow() override;

    // Asks for the buddy typed on the buddy-add page and goes back; an alert instead
    // when the id, the domain or the message is missing.
    void AddBuddy();
    // Asks for the group named on the group-add page and goes back; an alert when the
    // name is empty.
    void AddGroup();
    // After a request went out: back from the page, unless the send ended the session
    // (the reset then decides what shows) or the page is no longer the one on top.
    static void BackFrom(const UxWindow& page);

    // The title is the header's own Title label, built from the same key.
    UxButton BackButton;
    UxButton BuddyAddButton;
    UxButton GroupAddButton;
};
