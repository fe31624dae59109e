#include "app/buddies/BuddyRequestListView.h"

#include "app/buddies/BuddyListModel.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "app/shell/StatusText.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"

#include <algorithm>

BuddyRequestListView::~BuddyRequestListView()
{
    RemoveChildren();
}

bool BuddyRequestListView::ApplySkin(UxXmlNode* node)
{
    return FramedList::ApplySkin(node) && m_buddyIcon.Read(node, L"BuddyIcon")
        && m_buddyName.Read(node, L"BuddyName") && m_buddyId.Read(node, L"BuddyId")
        && m_disclosure.Read(node, L"DisclosureButton") && AddSkinParts(*this, node, { { L"HelpText", &HelpText } });
}

bool BuddyRequestListView::IsRequest(const Buddy& buddy)
{
    return buddy.Flags == (1u << BuddyListReverse);
}

std::vector<std::wstring> BuddyRequestListView::Collect()
{
    std::vector<std::wstring> emails;
    BuddyList* buddies = BuddyList::GetInstance();
    if (!buddies)
        return emails;
    for (const auto& [id, buddy] : buddies->GetBuddies())
        if (IsRequest(buddy))
            emails.push_back(buddy.Email);
    // By name; the records are looked up once, not in every comparison.
    std::vector<std::pair<std::wstring, std::wstring>> named;
    for (const std::wstring& email : emails) {
        const Buddy* buddy = buddies->Find(email);
        named.emplace_back(buddy ? buddy->Name : L"", email);
    }
    std::sort(named.begin(), named.end(),
        [](const auto& a, const auto& b) { return BuddyListModel::LessUtf16(a.first, b.first); });
    for (size_t i = 0; i < named.size(); ++i)
        emails[i] = named[i].second;
    return emails;
}

int BuddyRequestListView::Reload()
{
    m_emails = Collect();
    HelpText.SetVisible(m_emails.empty());
    HelpText.Invalidate();
    Clear();
    AddItemRows(static_cast<int32_t>(m_emails.size()));
    Invalidate();
    return 1;
}

void BuddyRequestListView::Refresh()
{
    if (Collect() != m_emails)
        Reload();
    else
        Invalidate();
}

bool BuddyRequestListView::DrawItems(UxListItemPainter& painter, int32_t index, bool selected)
{
    BuddyList* buddies = BuddyList::GetInstance();
    const bool inRange = index >= 0 && static_cast<size_t>(index) < m_emails.size();
    const Buddy* buddy = buddies && inRange ? buddies->Find(m_emails[static_cast<size_t>(index)]) : nullptr;
    if (!buddy)
        return false;
    m_buddyIcon.item.SetImageCoord(GetStatusIconBig(buddy->ShownStatus(), buddy->Flags));
    m_buddyIcon.Draw(painter);
    m_buddyName.Draw(painter, buddy->Name, selected);
    m_buddyId.Draw(painter, buddy->Email, selected);
    m_disclosure.Draw(painter);
    return true;
}

void BuddyRequestListView::OnRowClicked(int32_t index, int32_t, int32_t)
{
    MessengerApp* app = MessengerApp::GetInstance();
    BuddyList* buddies = BuddyList::GetInstance();
    GroupList* groups = GroupList::GetInstance();
    if (!app || !buddies || !groups || index < 0 || static_cast<size_t>(index) >= m_emails.size())
        return;
    // A request is always proposed for the default group.
    const Buddy* buddy = buddies->Find(m_emails[static_cast<size_t>(index)]);
    if (!buddy || !groups->Find(L"0"))
        return;
    app->GetBuddyRequestInfoPage().SetRequest(buddy->Id, L"0");
    app->PushScreen(&app->GetStatusBarDisclosure(), &app->GetBuddyRequestInfoPage(), MessengerApp::PushFromRight);
}
