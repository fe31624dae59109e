#pragma once

#include "app/shell/FramedList.h"

#include <map>
#include <set>
#include <string>
#include <utility>

class Buddy;
class Group;
class UxPopup;
class UxXmlNode;

// The groups and buddies of the signed-in user: a header row per group with its
// online and total counts, an item row per buddy with its status icon, its texts as
// the view option asks and a disclosure arrow. Rows point into GroupList and
// BuddyList, so the view is reloaded whenever those change.
class BuddyListView : public FramedList {
public:
    // Applies the node and reads the row items, height and colours from it.
    bool Build(UxXmlNode* node);

    // Every row anew from the lists; selection and folding start over, the search
    // word still applies. True.
    bool Reload();
    // One buddy's status or texts changed: its rows are repainted, or moved, added or
    // removed where the options' order and filter ask for it. 1.
    int UpdateBuddy(const Buddy& buddy);

    // Holding a row opens nothing.
    void OnRowHeld(int32_t, int32_t, int32_t) override { }
    void OnRowClicked(int32_t index, int32_t x, int32_t y) override;
    bool MatchesFilter(int32_t index, const std::wstring& filter) override;

    // The word occurs in the buddy's name or, failing that, in its user id; case counts.
    static bool MatchesSearchWord(const Buddy& buddy, const std::wstring& word);
    // The texts of a buddy row for a view type: the only one (types 0 and 1, second
    // empty), or the name and the line under it (2 and 3); none for other types.
    static std::pair<std::wstring, std::wstring> RowTexts(const Buddy& buddy, int32_t viewType);
    // "name (online/total)" for a group row.
    static std::wstring GroupTitle(const Group& group);

    // What a tap on a buddy starts, here and on the profile: the chat with the buddy
    // (nothing while it is offline), or a memo to it.
    static void StartChat(const Buddy& buddy);
    static void WriteMemo(const Buddy& buddy);

    const Buddy* GetBuddy(int32_t index) const;
    const Group* GetGroup(int32_t index) const;
    const plat::RECT& GetDisclosureRect() const { return m_disclosure.rect; }

protected:
    bool DrawItems(UxListItemPainter& painter, int32_t index, bool selected) override;
    // Every row anew for the groups and buddies a sort option shows, but for the buddies
    // whose user id (or list key) is left out. The keyboard's row stays on its buddy
    // (under the same group where it still is) or its group, while that is shown.
    void Fill(int32_t sortType, const std::set<std::wstring>& leftOut = {});
    // A group row's fold icon, open or folded.
    void DrawGroupIcon(UxListItemPainter& painter, int32_t index);
    // A buddy row's status icon and its texts as the view option asks.
    void DrawBuddy(UxListItemPainter& painter, const Buddy& buddy, bool selected);

    // The row items, one look each; texts that change colour on the selected row have
    // two looks.
    RowImage m_groupIcon;
    plat::RECT m_groupIconOpen {};
    plat::RECT m_groupIconClosed {};
    RowText m_groupName;
    RowImage m_buddyIcon;
    RowText m_buddyName;
    RowText m_buddyNick;
    RowText m_buddyNameOnly;
    RowImage m_disclosure;

private:
    // The row of the group with this id, -1 when none.
    int32_t FindGroupRow(const std::wstring& groupId) const;
    // The keyboard's row as the ids of its group and of its buddy (none for a group's
    // row); empty when there is no such row. Rows are made anew after the lists changed,
    // so a record is read only while it is still in them.
    std::pair<std::wstring, std::wstring> KeyRowIds() const;
    // Puts the keyboard's row back on the row of those ids: the buddy under the same
    // group, else under any; else nothing.
    void PutKeyRowOn(const std::pair<std::wstring, std::wstring>& ids);
    // Moves, adds, removes or repaints the buddy's row under the group at row g.
    void PlaceBuddy(const Buddy& buddy, const Group& group, int32_t g);
    // Repaints the row while the list is on screen.
    void RefreshShown(int32_t index);
    UxListRow MakeRow(int32_t kind, const void* record) const;

    // A tap on an offline buddy: says so and offers a memo instead.
    void AskForMemo(const Buddy& buddy);
    static void OnMemoAnswered(uintptr_t context, UxPopup* box, int32_t result);

    // Each group row's title as last drawn, so that a buddy's change redraws the group
    // row only when its counts changed.
    std::map<const Group*, std::wstring> m_drawnTitles;
    // The offline buddy the question is about (user id): the answer finds it anew.
    std::wstring m_askedEmail;
};
