// The buddy list's search bar and list view built from an arbitrary skin document, then
// every kind of row drawn: item rectangles, heights and colours from the skin must keep
// every draw inside the surface whatever they say. Pictures the skin names load from
// the default skin's folder.
#include "app/buddies/BuddyListSearchBar.h"
#include "app/buddies/BuddyListView.h"
#include "fuzz/SkinFuzz.h"
#include "messenger/model/Buddy.h"
#include "messenger/model/Group.h"

namespace {

void Apply(UxXmlNode* node)
{
    static Group group(L"1", L"친구");
    static Buddy buddy = [] {
        Buddy b;
        b.Id = b.Email = L"minsu@quorix.net";
        b.Name = L"김민수";
        b.Nick = L"민수";
        b.Status = BuddyStatusAway;
        return b;
    }();
    group.AddMember(buddy.Id);

    BuddyListView view;
    BuddyListSearchBar bar;
    bar.Build(node->FindChild(L"SearchBar"), &view);
    bar.UpdateIcons();
    if (!view.Build(node->FindChild(L"View")))
        return;
    view.SetAnimate(false);
    for (int i = 0; i < 4; ++i) {
        UxListRow row;
        row.kind = i % 2 ? UxListRow::Item : UxListRow::Header;
        row.fullHeight = view.GetItemHeight();
        row.data = i % 2 ? reinterpret_cast<uintptr_t>(&buddy) : reinterpret_cast<uintptr_t>(&group);
        view.AddRow(row);
    }
    view.SetSelection(1);
    view.Collapse(2);
    DrawRows(view);
    view.SetFilter(L"민");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzSkinDocument(data, size, 16 * 1024, 8, false, Apply);
}
