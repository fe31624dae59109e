#pragma once

#include "app/shell/EmptyPage.h"
#include "app/shell/FramedEdit.h"
#include "app/shell/HelpTitleBar.h"

#include <string>

// Where the user edits the own nick. The change is sent when the page is left, however
// it is left but by Escape; a field left as it was shown sends nothing.
class OptionNickPage : public EmptyPage {
public:
    OptionNickPage()
        : EmptyPage(L"OptionNick")
    {
    }
    ~OptionNickPage() override;

    // Builds the page from "OptionNick", with the help lines of the choice pages. False
    // when a part cannot be built.
    bool Create() override;
    // The field shows the own nick,
    void OnWillShow() override;
    // and takes the keys once the page is in place.
    void OnShown() override;
    // Sends a changed nick, unless the page is left by Escape.
    void OnWillHide() override;
    // Enter leaves as the back button does, so the nick is sent.
    bool OnEnter() override;
    // The session ended: a nick typed and not sent is dropped, not sent later.
    void Forget();

    HelpTitleBar& GetTitleBar() { return m_titleBar; }
    FramedEdit& GetView() { return m_view; }

private:
    HelpTitleBar m_titleBar;
    FramedEdit m_view { L"Nick" };
    // The text the field showed when the page came up: the nick as the field could take
    // it, so a nick longer than the field allows is not cut short by merely looking.
    std::wstring m_shown;
};
