#include "app/buddies/BuddyListView.h"

#include "app/buddies/BuddyListModel.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/StatusText.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSession.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Options.h"
#include "messenger/protocol/chat/ChatActions.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxListItemPainter.h"

namespace {

int32_t SortType()
{
    return Options::GetInstance() ? Options::GetInstance()->GetSortType() : Options::SortAll;
}

int32_t ViewType()
{
    return Options::GetInstance() ? Options::GetInstance()->GetViewType() : Options::ViewNameNick;
}

// The item's look and its rectangle relative to the row; a missing node leaves both.
template <typename Item> bool ReadItem(UxXmlNode* view, const wchar_t* name, Item& item, plat::RECT& rect)
{
    UxXmlNode* node = view->FindChild(name);
    if (!node)
        return true;
    rect = UxXmlNode::GetRect(node->FindChild(L"_Rect"));
    return item.ApplySkin(node);
}

// The normal look, and a second item that differs only by "TextColorSelected".
bool ReadTwoColourText(UxXmlNode* view, const wchar_t* name, UxTextItem (&items)[2], plat::RECT& rect)
{
    UxXmlNode* node = view->FindChild(name);
    if (!node)
        return true;
    if (!ReadItem(view, name, items[0], rect))
        return false;
    UxTextStyle selected = items[0].GetStyle();
    if (UxXmlNode* colour = node->FindChild(L"TextColorSelected"))
        selected.TextColor = colour->GetColor();
    return items[1].SetStyle(selected);
}

} // namespace

bool BuddyListView::Build(UxXmlNode* node)
{
    if (!node || !ApplySkin(node))
        return false;
    if (UxXmlNode* height = node->FindChild(L"_TableViewItemHeight"); height && height->GetInt() > 0)
        m_itemHeight = height->GetInt();
    if (UxXmlNode* back = node->FindChild(L"_BackColor"))
        m_backColor = back->GetColor();
    if (!ReadItem(node, L"SelectionBar", m_selectionBar, m_selectionRect)
        || !ReadItem(node, L"Line", m_line, m_lineRect)
        || !ReadItem(node, L"GroupIcon", m_groupIcon, m_groupIconRect)
        || !ReadTwoColourText(node, L"GroupName", m_groupName, m_groupNameRect)
        || !ReadItem(node, L"BuddyIcon", m_buddyIcon, m_buddyIconRect)
        || !ReadItem(node, L"BuddyName", m_buddyName, m_buddyNameRect)
        || !ReadTwoColourText(node, L"BuddyNick", m_buddyNick, m_buddyNickRect)
        || !ReadItem(node, L"BuddyNameOnly", m_buddyNameOnly, m_buddyNameOnlyRect)
        || !ReadItem(node, L"DisclosureButton", m_disclosure, m_disclosureRect))
        return false;
    if (UxXmlNode* icon = node->FindChild(L"GroupIcon")) {
        m_groupIconOpen = UxXmlNode::GetRect(icon->FindChild(L"ImageCoord"));
        m_groupIconClosed = UxXmlNode::GetRect(icon->FindChild(L"ImageCoordCollapsed"));
    }
    return true;
}

UxListRow BuddyListView::MakeRow(int32_t kind, const void* record) const
{
    UxListRow row;
    row.kind = kind;
    row.fullHeight = m_itemHeight;
    row.data = reinterpret_cast<uintptr_t>(record);
    return row;
}

bool BuddyListView::Reload()
{
    Clear();
    m_drawnTitles.clear();
    Invalidate();
    GroupList* groups = GroupList::GetInstance();
    BuddyList* buddies = BuddyList::GetInstance();
    if (!groups || !buddies)
        return true;
    BuddyListModel model;
    model.Rebuild(L"");
    // Added at once: a thousand rows growing one after another would take minutes.
    SetAnimate(false);
    for (const BuddyListRow& row : model.GetRows()) {
        if (row.kind == BuddyListRow::KindGroup) {
            if (const Group* group = groups->Find(row.id))
                AddRow(MakeRow(UxListRow::Header, group));
        } else if (const Buddy* buddy = buddies->FindById(row.id)) {
            AddRow(MakeRow(UxListRow::Item, buddy));
        }
    }
    SetAnimate(true);
    // The word in the search field still stands: the new rows are filtered by it too.
    if (!GetFilter().empty())
        SetFilter(GetFilter());
    return true;
}

int BuddyListView::UpdateBuddy(const Buddy& buddy)
{
    const int32_t sort = SortType();
    if (sort != Options::SortAll && sort != Options::SortOnline)
        return 1;
    GroupList* groups = GroupList::GetInstance();
    if (!groups)
        return 1;
    for (const auto& [id, group] : groups->GetGroups()) {
        if (!group.HasMember(buddy.Id))
            continue;
        const int32_t g = FindGroupRow(id);
        if (g >= 0)
            PlaceBuddy(buddy, group, g);
    }
    return 1;
}

// Both sort options place the row where a fresh model of the group puts it: a changed
// nick moves the row when the list is ordered by nicks, and with online buddies only
// a buddy going offline leaves and one coming online arrives.
void BuddyListView::PlaceBuddy(const Buddy& buddy, const Group& group, int32_t g)
{
    int32_t cur = -1;
    for (int32_t i = g + 1; i < GetRowCount() && GetRow(i).kind != UxListRow::Header; ++i) {
        const Buddy* shown = GetBuddy(i);
        if (shown && shown->Email == buddy.Email) {
            cur = i;
            break;
        }
    }
    // The group's online count may have changed with the buddy.
    auto drawn = m_drawnTitles.find(GetGroup(g));
    if (drawn == m_drawnTitles.end() || drawn->second != GroupTitle(group))
        RefreshShown(g);
    BuddyListModel model;
    model.Rebuild(group.Id);
    const int found = model.FindBuddyRow(buddy.Id);
    if (found < 0) {
        if (cur >= 0)
            RemoveRow(cur);
        return;
    }
    const int32_t pos = g + found;
    if (cur == pos) {
        RefreshShown(cur);
        return;
    }
    if (cur >= 0) {
        RemoveRow(cur);
        StopAnimation(); // pos counts the rows without it
    }
    const UxListRow row = MakeRow(UxListRow::Item, &buddy);
    if (pos < GetRowCount())
        InsertRow(row, pos);
    else
        AddRow(row);
    if (!GetFilter().empty())
        SetFilter(GetFilter()); // the row came in unfiltered
}

int32_t BuddyListView::FindGroupRow(const std::wstring& groupId) const
{
    for (int32_t i = 0; i < GetRowCount(); ++i) {
        if (GetRow(i).kind != UxListRow::Header)
            continue;
        const Group* group = GetGroup(i);
        if (group && group->Id == groupId)
            return i;
    }
    return -1;
}

void BuddyListView::RefreshShown(int32_t index)
{
    if (IsVisible())
        RefreshRow(index);
}

const Buddy* BuddyListView::GetBuddy(int32_t index) const
{
    if (!IsValidRow(index) || GetRow(index).kind != UxListRow::Item)
        return nullptr;
    return reinterpret_cast<const Buddy*>(GetRow(index).data);
}

const Group* BuddyListView::GetGroup(int32_t index) const
{
    if (!IsValidRow(index) || GetRow(index).kind != UxListRow::Header)
        return nullptr;
    return reinterpret_cast<const Group*>(GetRow(index).data);
}

std::wstring BuddyListView::GroupTitle(const Group& group)
{
    return FormatString(L"%s (%d/%d)", group.Name.c_str(), static_cast<int>(group.CountOnline()),
        static_cast<int>(group.GetMemberCount()));
}

std::pair<std::wstring, std::wstring> BuddyListView::RowTexts(const Buddy& buddy, int32_t viewType)
{
    switch (viewType) {
    case Options::ViewName:
        return { buddy.Name, L"" };
    case Options::ViewNick:
        return { buddy.Nick, L"" };
    case Options::ViewNameId:
        return { buddy.Name, buddy.Email };
    case Options::ViewNameNick:
        return { buddy.Name, buddy.Nick };
    default:
        return {};
    }
}

bool BuddyListView::MatchesSearchWord(const Buddy& buddy, const std::wstring& word)
{
    return buddy.Name.find(word) != std::wstring::npos || buddy.Email.find(word) != std::wstring::npos;
}

bool BuddyListView::MatchesFilter(int32_t index, const std::wstring& filter)
{
    const Buddy* buddy = GetBuddy(index);
    return buddy && MatchesSearchWord(*buddy, filter);
}

bool BuddyListView::PaintBackground(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(m_backColor, rect);
    return true;
}

bool BuddyListView::DrawRow(
    UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip)
{
    // A row folded to nothing still comes here; a fill of an empty rectangle would
    // cover the whole surface.
    if (IsRectEmpty(clip))
        return true;
    const plat::POINT origin = GetSurfaceOffset();
    const plat::RECT rowRect = OffsetRect(GetRowRect(index), origin.x, origin.y);
    UxListItemPainter painter(this, surface, index, rowClip, rowRect);
    const bool selected = index == GetSelection();
    if (selected)
        painter.DrawImage(m_selectionBar, m_selectionRect);
    else
        surface->FillRect(m_backColor, clip);

    if (const Group* group = GetGroup(index)) {
        m_groupIcon.SetImageCoord(GetRow(index).expanded ? m_groupIconOpen : m_groupIconClosed);
        painter.DrawImage(m_groupIcon, m_groupIconRect);
        UxTextItem& name = m_groupName[selected ? 1 : 0];
        std::wstring& drawn = m_drawnTitles[group];
        drawn = GroupTitle(*group);
        name.SetText(drawn);
        painter.DrawText(name, m_groupNameRect);
    } else if (const Buddy* buddy = GetBuddy(index)) {
        m_buddyIcon.SetImageCoord(GetStatusIconBig(buddy->Status, buddy->Flags));
        painter.DrawImage(m_buddyIcon, m_buddyIconRect);
        const int32_t viewType = ViewType();
        const auto [first, second] = RowTexts(*buddy, viewType);
        // A name without a nick stands alone rather than above an empty line.
        const bool oneLine = viewType == Options::ViewName || viewType == Options::ViewNick
            || ((viewType == Options::ViewNameId || viewType == Options::ViewNameNick) && second.empty());
        if (oneLine) {
            m_buddyNameOnly.SetText(first);
            painter.DrawText(m_buddyNameOnly, m_buddyNameOnlyRect);
        } else if (viewType == Options::ViewNameId || viewType == Options::ViewNameNick) {
            UxTextItem& nick = m_buddyNick[selected ? 1 : 0];
            m_buddyName.SetText(first);
            painter.DrawText(m_buddyName, m_buddyNameRect);
            nick.SetText(second);
            painter.DrawText(nick, m_buddyNickRect);
        }
        painter.DrawImage(m_disclosure, m_disclosureRect);
    }
    painter.DrawImage(m_line, m_lineRect);
    return true;
}

void BuddyListView::OnRowClicked(int32_t index, int32_t x, int32_t)
{
    const Buddy* buddy = GetBuddy(index);
    MessengerApp* app = MessengerApp::GetInstance();
    if (!buddy || !app)
        return;
    // The strip before the arrow is as wide as the arrow sits below the row's top.
    if (x > m_disclosureRect.left - m_disclosureRect.top) {
        app->PushScreen(
            &app->GetStatusBarDisclosure(), &app->GetBuddyProfilePage(), MessengerApp::PushFromRight);
        return;
    }
    if (Options::GetInstance() && Options::GetInstance()->GetChatType() == Options::ChatTypeMemo) {
        app->PushScreen(
            &app->GetStatusBarDisclosure(), &app->GetMemoWritePage(), MessengerApp::CoverFromBottom);
        return;
    }
    if (buddy->Status == BuddyStatusOffline)
        return;
    // The open chat with this buddy, else a new one that asks for a chat server.
    ChatSession* session = OpenChat(buddy->Email, buddy->Name);
    if (auto* page = session ? dynamic_cast<UxWindow*>(session->GetPage()) : nullptr)
        app->PushScreen(&app->GetStatusBarChat(), page, MessengerApp::CoverFromBottom);
}
