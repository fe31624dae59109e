#pragma once

#include "app/options/OptionView.h"
#include "app/shell/EmptyPage.h"
#include "app/shell/HelpTitleBar.h"

// The choice page shared by six settings: the option list sets the view's kind just
// before it pushes the page. The user leaves it with the status bar's back button.
class OptionPage : public EmptyPage {
public:
    OptionPage()
        : EmptyPage(L"Option")
    {
    }
    ~OptionPage() override;

    // Builds the page from "Option": its help lines and the view. False when a part
    // cannot be built.
    bool Create() override;
    // The status bar's title and the help lines follow the view's kind.
    void OnWillShow() override;

    HelpTitleBar& GetTitleBar() { return m_titleBar; }
    OptionView& GetView() { return m_view; }
    UxWindow* GetKeyView() override { return &m_view; }

private:
    HelpTitleBar m_titleBar;
    OptionView m_view;
};
