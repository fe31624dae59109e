#include "app/buddies/BuddyProfileView.h"

#include "app/buddies/BuddyListView.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/StatusText.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "ux/core/UxDateTime.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceContext.h"

bool BuddyProfileView::ApplySkin(UxXmlNode* node)
{
    if (!FramedList::ApplySkin(node) || !m_label.Read(node, L"LText")
        || !m_value.Read(node, L"RText") || !m_buddyIcon.Read(node, L"BuddyIcon")
        || !m_chatIcon.Read(node, L"ChatIcon") || !m_memoIcon.Read(node, L"MemoIcon")
        || !m_disclosure.Read(node, L"DisclosureButton"))
        return false;
    AddFixedRows(RowCount);
    return true;
}

void BuddyProfileView::SetBuddy(const std::wstring& buddyId, const std::wstring& groupId)
{
    m_shown = { buddyId, groupId };
    SetSelection(-1);
    Invalidate();
}

std::wstring BuddyProfileView::BirthdayText(const Buddy& buddy)
{
    if (buddy.Birthday.empty())
        return L"";
    UxDateTime date;
    date.Parse(buddy.Birthday, L"yyyyMMdd");
    // What is no date shows as none rather than as "0월 0일".
    if (date.Month < 1 || date.Month > 12 || date.Day < 1 || date.Day > 31)
        return L"";
    return FormatString(L"%d월 %d일 %s", static_cast<int>(date.Month), static_cast<int>(date.Day),
        buddy.SolarBirthday ? L"(양력)" : L"(음력)");
}

std::wstring BuddyProfileView::RowLabel(int32_t row)
{
    static const wchar_t* const kLabels[RowCount]
        = { L"이름", L"접속 상태", L"대화명", L"생일", L"이메일", L"휴대폰", L"그룹" };
    return row >= 0 && row < RowCount ? kLabels[row] : L"";
}

std::wstring BuddyProfileView::RowValue(int32_t row, const Buddy& buddy, const Group* group)
{
    switch (row) {
    case RowName:
        return buddy.Name;
    case RowStatus:
        return GetStatusText(buddy.Status);
    case RowNick:
        return buddy.Nick;
    case RowBirthday:
        return BirthdayText(buddy);
    case RowEmail:
        return buddy.Email;
    case RowMobile:
        return buddy.Mobile;
    case RowGroup:
        return group ? group->Name : L"";
    default:
        return L"";
    }
}

bool BuddyProfileView::DrawItems(UxListItemPainter& painter, int32_t index, bool selected)
{
    if (const Buddy* buddy = GetBuddy()) {
        if (index == RowName) {
            if (buddy->Status != BuddyStatusOffline)
                m_chatIcon.Draw(painter);
            m_memoIcon.Draw(painter);
        } else if (index == RowStatus) {
            m_buddyIcon.item.SetImageCoord(GetStatusIconBig(buddy->ShownStatus(), buddy->Flags));
            m_buddyIcon.Draw(painter);
        } else if (index == RowGroup) {
            m_disclosure.Draw(painter);
        }
        m_value.Draw(painter, RowValue(index, *buddy, GetGroup()), selected);
    }
    m_label.Draw(painter, RowLabel(index), selected);
    return true;
}

void BuddyProfileView::OnRowClicked(int32_t index, int32_t x, int32_t)
{
    // The bar shows the press only: a tapped row does not stay highlighted.
    SetSelection(-1);
    const Buddy* buddy = GetBuddy();
    MessengerApp* app = MessengerApp::GetInstance();
    if (!buddy || !app)
        return;
    if (index == RowName) {
        if (IsOnItem(x, m_memoIcon.rect))
            BuddyListView::WriteMemo(*buddy);
        else if (IsOnItem(x, m_chatIcon.rect))
            BuddyListView::StartChat(*buddy);
    } else if (index == RowGroup) {
        const Group* group = GetGroup();
        GroupSelectPage& chooser = app->GetGroupSelectPage();
        chooser.Setup(GroupSelectPage::ModeMove, buddy->Name, buddy->Email, group ? group->Name : L"");
        app->PushScreen(&app->GetStatusBarDisclosure(), &chooser, MessengerApp::PushFromRight);
    }
}
