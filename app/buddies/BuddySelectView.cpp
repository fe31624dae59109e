#include "app/buddies/BuddySelectView.h"

#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Options.h"
#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"

bool BuddySelectView::Build(UxXmlNode* node)
{
    return BuddyListView::Build(node) && m_unchecked.Read(node, L"CheckBoxUnchecked")
        && m_checked.Read(node, L"CheckBoxChecked");
}

bool BuddySelectView::Reload(int32_t mode, const std::set<std::wstring>& leftOut)
{
    int32_t sort = Options::GetInstance() ? Options::GetInstance()->GetSortType() : Options::SortAll;
    if (mode == 0)
        sort = Options::SortOnline;
    else if (mode == 1)
        sort = Options::SortAll;
    Fill(sort, leftOut);
    return true;
}

bool BuddySelectView::DrawItems(UxListItemPainter& painter, int32_t index, bool selected)
{
    if (const Group* group = GetGroup(index)) {
        DrawGroupIcon(painter, index);
        m_groupName.Draw(painter, group->Name, selected);
    } else if (const Buddy* buddy = GetBuddy(index)) {
        (buddy->Picked ? m_checked : m_unchecked).Draw(painter);
        DrawBuddy(painter, *buddy, selected);
    }
    return true;
}

void BuddySelectView::OnRowClicked(int32_t index, int32_t, int32_t)
{
    // The bar shows the press only: a tapped row does not stay highlighted.
    SetSelection(-1);
    BuddyList* buddies = BuddyList::GetInstance();
    const Buddy* shown = GetBuddy(index);
    Buddy* buddy = shown && buddies ? buddies->FindById(shown->Id) : nullptr;
    if (!buddy)
        return;
    buddy->Picked = buddy->Picked ? 0 : 1;
    // Every row of the buddy shows the same tick.
    for (int32_t i = 0; i < GetRowCount(); ++i)
        if (GetBuddy(i) == buddy)
            RefreshRow(i);
}
