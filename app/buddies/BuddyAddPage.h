#pragma once

#include "app/buddies/BuddyAddView.h"
#include "app/shell/EmptyPage.h"

#include <string>

// The screen for asking somebody to become a buddy, under the title "친구 추가". It only
// collects the entries; the status bar's add button, shown while the page is, reads
// them and sends the request. The form is emptied each time it is opened; the entries
// stay only while the group is being chosen.
class BuddyAddPage : public EmptyPage {
public:
    BuddyAddPage()
        : EmptyPage(L"BuddyAdd")
    {
    }
    ~BuddyAddPage() override;

    bool Create() override;
    void OnWillShow() override;
    void OnWillHide() override;
    // Enter asks for the buddy as the status bar's add button does; on the group row it
    // opens the group chooser.
    bool OnEnter() override;

    // The id to ask for, an id typed whole split first; false when the boxes make none.
    bool TakeAddress(std::wstring& id) { return m_view.TakeAddress(id); }
    std::wstring GetIdText() const { return m_view.IdEdit.GetText(); }
    std::wstring GetDomainText() const { return m_view.AccountEdit.GetText(); }
    std::wstring GetMessageText() const { return m_view.RequestMessage.GetText(); }
    std::wstring GetGroupName() const { return m_view.GetGroupName(); }
    // The group chosen on the group select screen.
    void SetGroupName(const std::wstring& name) { m_view.SetGroupName(name); }
    // An empty form, before it is opened and when the session ends.
    void Clear() { m_view.Clear(); }

    BuddyAddView& GetView() { return m_view; }

private:
    BuddyAddView m_view;
};
