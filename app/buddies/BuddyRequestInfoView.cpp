#include "app/buddies/BuddyRequestInfoView.h"

#include "app/shell/MessengerApp.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"

bool BuddyRequestInfoView::Build(UxXmlNode* node)
{
    if (!node || !ApplySkin(node) || !m_frame.Read(node) || !m_label.Read(node, L"LText")
        || !m_value.Read(node, L"RText") || !m_disclosure.Read(node, L"DisclosureButton"))
        return false;
    GetYAxis().SetDraggable(false);
    SetAnimate(false);
    for (int32_t row = 0; row < RowCount; ++row)
        AddRow(m_frame.MakeRow(UxListRow::Item));
    SetAnimate(true);
    return true;
}

void BuddyRequestInfoView::SetRequest(const std::wstring& buddyId, const std::wstring& groupId)
{
    m_buddyId = buddyId;
    m_groupId = groupId;
    SetSelection(-1);
    Invalidate();
}

void BuddyRequestInfoView::SetGroup(const std::wstring& groupId)
{
    m_groupId = groupId;
    RefreshRow(RowGroup);
}

Buddy* BuddyRequestInfoView::GetBuddy() const
{
    BuddyList* buddies = BuddyList::GetInstance();
    return buddies && !m_buddyId.empty() ? buddies->FindById(m_buddyId) : nullptr;
}

const Group* BuddyRequestInfoView::GetGroup() const
{
    GroupList* groups = GroupList::GetInstance();
    return groups ? groups->Find(m_groupId) : nullptr;
}

bool BuddyRequestInfoView::PaintBackground(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(m_frame.backColor, rect);
    return true;
}

bool BuddyRequestInfoView::DrawRow(
    UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip)
{
    static const wchar_t* const kLabels[RowCount] = { L"이름", L"ID", L"그룹" };
    if (IsRectEmpty(clip) || index < 0 || index >= RowCount)
        return true;
    UxListItemPainter painter = RowFrame::Painter(*this, surface, index, rowClip);
    const bool selected = index == GetSelection();
    m_frame.DrawBack(painter, surface, clip, selected);
    m_label.Draw(painter, kLabels[index], selected);
    if (const Buddy* buddy = GetBuddy()) {
        const Group* group = GetGroup();
        const std::wstring values[RowCount] = { buddy->Name, buddy->Email, group ? group->Name : L"" };
        m_value.Draw(painter, values[index], selected);
        if (index == RowGroup)
            m_disclosure.Draw(painter);
    }
    m_frame.line.Draw(painter);
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
