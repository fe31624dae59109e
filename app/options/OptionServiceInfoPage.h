#pragma once

#include "app/options/OptionServiceInfoView.h"
#include "app/shell/EmptyPage.h"

// The page about the program; it never changes once built.
class OptionServiceInfoPage : public EmptyPage {
public:
    OptionServiceInfoPage()
        : EmptyPage(L"OptionServiceInfo")
    {
    }
    ~OptionServiceInfoPage() override;

    // Builds the page from "OptionServiceInfo"; false when a part cannot be built.
    bool Create() override;
    // The status bar's title.
    void OnWillShow() override;

    OptionServiceInfoView& GetView() { return m_view; }

private:
    OptionServiceInfoView m_view;
};
