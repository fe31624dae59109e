#pragma once

#include "app/shell/EmptyPage.h"
#include "app/shell/FramedEdit.h"
#include "app/shell/HelpTitleBar.h"

#include <string>

// The screen for naming a new group, under the title "그룹 추가". The status bar's add
// button, shown while the page is, reads the name and asks for the group. The name
// typed stays for the next visit within the session.
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
    // Enter asks for the group as the status bar's add button does.
    bool OnEnter() override;

    std::wstring GetGroupName() const { return m_view.Edit.GetText(); }
    void SetGroupName(const std::wstring& name) { m_view.Edit.SetText(name); }

    HelpTitleBar& GetTitleBar() { return m_titleBar; }
    FramedEdit& GetView() { return m_view; }

private:
    HelpTitleBar m_titleBar;
    FramedEdit m_view { L"GroupName" };
};
