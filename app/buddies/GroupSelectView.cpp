#include "app/buddies/GroupSelectView.h"

#include "app/buddies/BuddyListModel.h"
#include "messenger/model/GroupList.h"
#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"

#include <algorithm>

bool GroupSelectView::ApplySkin(UxXmlNode* node)
{
    return FramedList::ApplySkin(node) && m_groupName.Read(node, L"GroupName")
        && m_checkedBox.Read(node, L"RadioBoxChecked") && m_uncheckedBox.Read(node, L"RadioBoxUnchecked");
}

int GroupSelectView::Reload()
{
    Clear();
    Invalidate();
    m_names.clear();
    if (GroupList* groups = GroupList::GetInstance())
        for (const auto& [id, group] : groups->GetGroups())
            m_names.push_back(group.Name);
    std::sort(m_names.begin(), m_names.end(), BuddyListModel::LessUtf16);
    const std::wstring& wanted = m_selectedName.empty() ? std::wstring(L"기타") : m_selectedName;
    const auto found = std::find(m_names.begin(), m_names.end(), wanted);
    // A name no group has any more checks no row, rather than whichever row held the
    // index on an earlier visit.
    m_checked = found == m_names.end() ? -1 : static_cast<int32_t>(found - m_names.begin());
    AddItemRows(static_cast<int32_t>(m_names.size()));
    return 1;
}

bool GroupSelectView::DrawItems(UxListItemPainter& painter, int32_t index, bool selected)
{
    if (index < 0 || static_cast<size_t>(index) >= m_names.size())
        return false;
    m_groupName.Draw(painter, m_names[static_cast<size_t>(index)], selected);
    (index == m_checked ? m_checkedBox : m_uncheckedBox).Draw(painter);
    return true;
}

void GroupSelectView::OnRowClicked(int32_t index, int32_t, int32_t)
{
    // The bar shows the press only: a tapped row does not stay highlighted.
    SetSelection(-1);
    if (index < 0 || static_cast<size_t>(index) >= m_names.size())
        return;
    if (IsValidRow(m_checked))
        RefreshRow(m_checked);
    m_checked = index;
    m_selectedName = m_names[static_cast<size_t>(index)];
    RefreshRow(index);
}
