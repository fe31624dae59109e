#pragma once

#include "app/buddies/GroupSelectTitleBar.h"
#include "app/buddies/GroupSelectView.h"
#include "app/shell/EmptyPage.h"

#include <string>

// The group chooser of three callers: the group for a buddy being added (mode 0), the
// group the profile's buddy moves to (1), the group an accepted request joins (2). The
// choice applies when the page is left, but by Escape.
class GroupSelectPage : public EmptyPage {
public:
    enum Modes { ModeAdd = 0, ModeMove = 1, ModeRequest = 2, ModeNone = 3 };

    GroupSelectPage()
        : EmptyPage(L"GroupSelect")
    {
    }
    ~GroupSelectPage() override;

    bool Create() override;
    void OnWillShow() override;
    void OnWillHide() override;

    // The caller, the two lines the title bar shows (a name and the id under it) and the
    // name of the group chosen so far.
    void Setup(int32_t mode, const std::wstring& firstLine, const std::wstring& secondLine,
        const std::wstring& groupName);
    // The session ended, or the choice was given up: leaving applies nothing.
    void ClearSession() { m_mode = ModeNone; }

    int32_t GetMode() const { return m_mode; }
    GroupSelectTitleBar& GetTitleBar() { return m_titleBar; }
    GroupSelectView& GetView() { return m_view; }
    UxWindow* GetKeyView() override { return &m_view; }

private:
    int32_t m_mode = ModeNone;
    GroupSelectTitleBar m_titleBar;
    GroupSelectView m_view;
};
