// The buddy screens' lists and bars built from an arbitrary skin section, then every row
// drawn: rectangles, heights and colours from the skin must keep every draw inside the
// surface whatever they say. Pictures the skin names load from the default skin's folder.
#include "app/buddies/BuddyAddView.h"
#include "app/buddies/BuddyProfileButtonBar.h"
#include "app/buddies/BuddyProfileView.h"
#include "app/buddies/BuddyRequestInfoView.h"
#include "app/buddies/BuddyRequestListView.h"
#include "app/buddies/BuddySelectView.h"
#include "app/buddies/GroupSelectTitleBar.h"
#include "app/buddies/GroupSelectView.h"
#include "app/shell/FramedEdit.h"
#include "app/shell/HelpTitleBar.h"
#include "fuzz/SkinFuzz.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"

namespace {

// A buddy in a group, one asking to be one, for the rows to show; made once.
void MakeLists()
{
    static const bool made = [] {
        auto* groups = new GroupList;
        auto* buddies = new BuddyList;
        Buddy buddy;
        buddy.Id = buddy.Email = L"minsu@quorix.net";
        buddy.Name = L"김민수";
        buddy.Birthday = L"19900315";
        buddy.Flags = 3;
        buddies->Insert(buddy.Id, buddy);
        buddy.Id = buddy.Email = L"seoyun@quorix.net";
        buddy.Flags = 8;
        buddies->Insert(buddy.Id, buddy);
        Group group(L"0", L"기타");
        group.AddMember(L"minsu@quorix.net");
        groups->Insert(group);
        return true;
    }();
    (void)made;
}

// The first row selected, as a press leaves it.
void DrawAll(UxListWindow& view)
{
    view.SetSelection(0);
    DrawRows(view);
}

void Apply(UxXmlNode* section)
{
    MakeLists();
    UxXmlNode* node = section->FindChild(L"View");
    BuddyProfileView profile;
    if (profile.ApplySkin(node)) {
        profile.SetBuddy(L"minsu@quorix.net", L"0");
        DrawAll(profile);
    }
    BuddyProfileButtonBar buttons(profile);
    if (buttons.ApplySkin(section->FindChild(L"ButtonBar")))
        buttons.UpdateBlockLabel();
    BuddyAddView form;
    if (form.ApplySkin(node))
        DrawAll(form);
    BuddyRequestListView requests;
    if (requests.ApplySkin(node) && requests.Reload())
        DrawAll(requests);
    BuddyRequestInfoView request;
    if (request.ApplySkin(node)) {
        request.SetRequest(L"seoyun@quorix.net", L"0");
        DrawAll(request);
    }
    BuddySelectView picker;
    if (picker.Build(node) && picker.Reload(1))
        DrawAll(picker);
    GroupSelectView groups;
    if (groups.ApplySkin(node) && groups.Reload())
        DrawAll(groups);
    HelpTitleBar help;
    help.ApplySkin(section->FindChild(L"TitleBar"));
    GroupSelectTitleBar whom;
    whom.ApplySkin(section->FindChild(L"TitleBar"));
    FramedEdit name { L"GroupName" };
    name.ApplySkin(node);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzSkinDocument(data, size, 32 * 1024, 8, false, Apply);
}
