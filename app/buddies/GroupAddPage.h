#pragma once

#include "app/buddies/GroupAddTitleBar.h"
#include "app/buddies/GroupAddView.h"
#include "app/shell/EmptyPage.h"

#include <string>

// The screen for naming a new group, under the title "그룹 추가". The status bar's add
// button, shown while the page is, reads the name and asks for the group. The name
// typed stays for the next visit.
class GroupAddPage : public EmptyPage {
public:
    GroupAddPage()
        : EmptyPage(L"GroupAdd")
    {
    }
    ~GroupAddPage() override;

    bool Create() override;
    void OnWillShow() override;
    void OnWillHide() override;

    std::wstring GetGroupName() const { return m_view.GroupName.GetText(); }
    void SetGroupName(const std::wstring& name) { m_view.GroupName.SetText(name); }

    GroupAddTitleBar& GetTitleBar() { return m_titleBar; }
    GroupAddView& GetView() { return m_view; }

private:
    GroupAddTitleBar m_titleBar;
    GroupAddView m_view;
};
