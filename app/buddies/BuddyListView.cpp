#include "app/buddies/BuddyListView.h"

#include "app/buddies/BuddyListModel.h"
#include "app/shell/MessageBoxes.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
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
#include "ux/widgets/UxMessageBox.h"

namespace {

int32_t SortType()
{
    return Options::GetInstance() ? Options::GetInstance()->GetSortType() : Options::SortAll;
}

int32_t ViewType()
{
    return Options::GetInstance() ? Options::GetInstance()->GetViewType() : Options::ViewNameNick;
}

} // namespace

bool BuddyListView::Build(UxXmlNode* node)
{
    if (!FramedList::ApplySkin(node) || !m_groupIcon.Read(node, L"GroupIcon")
        || !m_groupName.Read(node, L"GroupName") || !m_buddyIcon.Read(node, L"BuddyIcon")
        || !m_buddyName.Read(node, L"BuddyName") || !m_buddyNick.Read(node, L"BuddyNick")
        || !m_buddyNameOnly.Read(node, L"BuddyNameOnly") || !m_disclosure.Read(node, L"DisclosureButton"))
        return false;
    if (UxXmlNode* icon = node->FindChild(L"GroupIcon")) {
        m_groupIconOpen = UxXmlNode::GetRect(icon->FindChild(L"ImageCoord"));
        m_groupIconClosed = UxXmlNode::GetRect(icon->FindChild(L"ImageCoordCollapsed"));
    }
    return true;
}

UxListRow BuddyListView::MakeRow(int32_t kind, const void* record) const
{
    return m_frame.MakeRow(kind, reinterpret_cast<uintptr_t>(record));
}

bool BuddyListView::Reload()
{
    Fill(SortType());
    return true;
}

void BuddyListView::Fill(int32_t sortType, const std::set<std::wstring>& leftOut)
{
    const auto keyRow = KeyRowIds();
    Clear();
    m_drawnTitles.clear();
    Invalidate();
    GroupList* groups = GroupList::GetInstance();
    BuddyList* buddies = BuddyList::GetInstance();
    if (!groups || !buddies)
        return;
    BuddyListModel model;
    model.Rebuild(L"", sortType);
    // Added at once: a thousand rows growing one after another would take minutes.
    SetAnimate(false);
    for (const BuddyListRow& row : model.GetRows()) {
        if (row.kind == BuddyListRow::KindGroup) {
            if (const Group* group = groups->Find(row.id))
                AddRow(MakeRow(UxListRow::Header, group));
        } else if (const Buddy* buddy = buddies->FindById(row.id);
                   buddy && !leftOut.count(buddy->Email) && !leftOut.count(buddy->Id)) {
            AddRow(MakeRow(UxListRow::Item, buddy));
        }
    }
    SetAnimate(true);
    // The word in the search field still stands: the new rows are filtered by it too.
    if (!GetFilter().empty())
        SetFilter(GetFilter());
    PutKeyRowOn(keyRow);
}

std::pair<std::wstring, std::wstring> BuddyListView::KeyRowIds() const
{
    const int32_t row = GetKeyRow();
    if (!IsValidRow(row))
        return {};
    GroupList* groups = GroupList::GetInstance();
    BuddyList* buddies = BuddyList::GetInstance();
    const Group* group = GetGroup(FindHeaderRow(row));
    const Buddy* buddy = GetBuddy(row);
    std::pair<std::wstring, std::wstring> ids;
    if (groups)
        for (const auto& [id, held] : groups->GetGroups())
            if (&held == group)
                ids.first = id;
    if (buddy && buddies)
        for (const auto& [id, held] : buddies->GetBuddies())
            if (&held == buddy)
                ids.second = held.Id;
    // A buddy that left the lists leaves nothing to come back to.
    return buddy && ids.second.empty() ? std::pair<std::wstring, std::wstring> {} : ids;
}

void BuddyListView::PutKeyRowOn(const std::pair<std::wstring, std::wstring>& ids)
{
    const auto& [groupId, buddyId] = ids;
    if (buddyId.empty()) {
        if (!groupId.empty())
            PutKeyRow(FindGroupRow(groupId));
        return;
    }
    int32_t anywhere = -1;
    for (int32_t i = 0; i < GetRowCount(); ++i) {
        const Buddy* buddy = GetBuddy(i);
        if (!buddy || buddy->Id != buddyId || GetRow(i).hidden)
            continue;
        const Group* group = GetGroup(FindHeaderRow(i));
        if (group && group->Id == groupId) {
            PutKeyRow(i);
            return;
        }
        if (anywhere < 0)
            anywhere = i;
    }
    PutKeyRow(anywhere);
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

bool BuddyListView::DrawItems(UxListItemPainter& painter, int32_t index, bool selected)
{
    if (const Group* group = GetGroup(index)) {
        DrawGroupIcon(painter, index);
        std::wstring& drawn = m_drawnTitles[group];
        drawn = GroupTitle(*group);
        m_groupName.Draw(painter, drawn, selected);
    } else if (const Buddy* buddy = GetBuddy(index)) {
        DrawBuddy(painter, *buddy, selected);
        m_disclosure.Draw(painter);
    }
    return true;
}

void BuddyListView::DrawGroupIcon(UxListItemPainter& painter, int32_t index)
{
    m_groupIcon.item.SetImageCoord(GetRow(index).expanded ? m_groupIconOpen : m_groupIconClosed);
    m_groupIcon.Draw(painter);
}

void BuddyListView::DrawBuddy(UxListItemPainter& painter, const Buddy& buddy, bool selected)
{
    m_buddyIcon.item.SetImageCoord(GetStatusIconBig(buddy.ShownStatus(), buddy.Flags));
    m_buddyIcon.Draw(painter);
    const int32_t viewType = ViewType();
    const auto [first, second] = RowTexts(buddy, viewType);
    // A name without a nick stands alone rather than above an empty line.
    const bool oneLine = viewType == Options::ViewName || viewType == Options::ViewNick
        || ((viewType == Options::ViewNameId || viewType == Options::ViewNameNick) && second.empty());
    if (oneLine) {
        m_buddyNameOnly.Draw(painter, first, false);
    } else if (viewType == Options::ViewNameId || viewType == Options::ViewNameNick) {
        m_buddyName.Draw(painter, first, false);
        m_buddyNick.Draw(painter, second, selected);
    }
}

void BuddyListView::OnRowClicked(int32_t index, int32_t x, int32_t)
{
    const Buddy* buddy = GetBuddy(index);
    MessengerApp* app = MessengerApp::GetInstance();
    if (!buddy || !app)
        return;
    if (IsOnItem(x, m_disclosure.rect)) {
        const int32_t header = FindHeaderRow(index);
        const Group* group = GetGroup(header);
        app->GetBuddyProfilePage().SetBuddy(buddy->Id, group ? group->Id : L"");
        app->PushScreen(
            &app->GetStatusBarDisclosure(), &app->GetBuddyProfilePage(), MessengerApp::PushFromRight);
        return;
    }
    if (Options::GetInstance() && Options::GetInstance()->GetChatType() == Options::ChatTypeMemo)
        WriteMemo(*buddy);
    else if (buddy->Status == BuddyStatusOffline)
        AskForMemo(*buddy);
    else
        StartChat(*buddy);
}

void BuddyListView::AskForMemo(const Buddy& buddy)
{
    // The question covers the list: the row shows no press behind it.
    SetSelection(-1);
    m_askedEmail = buddy.Email;
    ShowConfirmBox(L"대화 상대가 현재 오프라인 상태입니다. 쪽지를 보내시겠습니까?", &OnMemoAnswered,
        reinterpret_cast<uintptr_t>(this));
}

void BuddyListView::OnMemoAnswered(uintptr_t context, UxPopup*, int32_t result)
{
    auto* view = reinterpret_cast<BuddyListView*>(context);
    BuddyList* buddies = BuddyList::GetInstance();
    // The session may have ended meanwhile, and the buddy with it.
    const Buddy* buddy = buddies ? buddies->Find(view->m_askedEmail) : nullptr;
    if (result == UxMessageBox::ResultYes && buddy)
        WriteMemo(*buddy);
}

void BuddyListView::WriteMemo(const Buddy& buddy)
{
    MessengerApp* app = MessengerApp::GetInstance();
    if (!app)
        return;
    MemoWriteView& writer = app->GetMemoWritePage().GetView();
    writer.Clear();
    writer.SetSingleReceiver(buddy.Email);
    app->PushScreen(&app->GetStatusBarDisclosure(), &app->GetMemoWritePage(), MessengerApp::CoverFromBottom);
}

void BuddyListView::StartChat(const Buddy& buddy)
{
    MessengerApp* app = MessengerApp::GetInstance();
    if (!app || buddy.Status == BuddyStatusOffline)
        return;
    // The open chat with this buddy, else a new one that asks for a chat server.
    ChatSession* session = OpenChat(buddy.Email, buddy.Name);
    if (auto* page = session ? dynamic_cast<UxWindow*>(session->GetPage()) : nullptr)
        app->PushScreen(&app->GetStatusBarChat(), page, MessengerApp::CoverFromBottom);
}
