#include "app/buddies/BuddyRequestInfoView.h"

#include "app/shell/MessengerApp.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"

bool BuddyRequestInfoView::ApplySkin(UxXmlNode* node)
{
    if (!FramedList::ApplySkin(node) || !m_label.Read(node, L"LText") || !m_value.Read(node, L"RText")
        || !m_disclosure.Read(node, L"DisclosureButton"))
        return false;
    AddFixedRows(RowCount);
    return true;
}

void BuddyRequestInfoView::SetRequest(const std::wstring& buddyId, const std::wstring& groupId)
{
    m_shown = { buddyId, groupId };
    SetSelection(-1);
    Invalidate();
}

void BuddyRequestInfoView::SetGroup(const std::wstring& groupId)
{
    m_shown.groupId = groupId;
    RefreshRow(RowGroup);
}

bool BuddyRequestInfoView::DrawItems(UxListItemPainter& painter, int32_t index, bool selected)
{
    static const wchar_t* const kLabels[RowCount] = { L"이름", L"ID", L"그룹" };
    if (index < 0 || index >= RowCount)
        return false;
    m_label.Draw(painter, kLabels[index], selected);
    if (const Buddy* buddy = GetBuddy()) {
        const Group* group = GetGroup();
        const std::wstring values[RowCount] = { buddy->Name, buddy->Email, group ? group->Name : L"" };
        m_value.Draw(painter, values[index], selected);
        if (index == RowGroup)
            m_disclosure.Draw(painter);
    }
    return true;
}

void BuddyRequestInfoView::OnRowClicked(int32_t index, int32_t, int32_t)
{
    // The bar shows the press only: a tapped row does not stay highlighted.
    SetSelection(-1);
    const Buddy* buddy = GetBuddy();
    MessengerApp* app = MessengerApp::GetInstance();
    if (index != RowGroup || !buddy || !app)
        return;
    const Group* group = GetGroup();
    GroupSelectPage& chooser = app->GetGroupSelectPage();
    chooser.Setup(GroupSelectPage::ModeRequest, buddy->Name, buddy->Email, group ? group->Name : L"");
    app->PushScreen(&app->GetStatusBarDisclosure(), &chooser, MessengerApp::PushFromRight);
}
