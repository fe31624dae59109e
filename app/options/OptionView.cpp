#include "app/options/OptionView.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/StatusText.h"
#include "messenger/model/Me.h"
#include "messenger/model/Options.h"
#include "messenger/protocol/buddies/BuddyActions.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxListItemPainter.h"

#include <iterator>

namespace {

constexpr int32_t kRowCounts[] = { 4, 2, 4, 2, 4, 3 };
constexpr int32_t kStatusRows[]
    = { BuddyStatusOnline, BuddyStatusAway, BuddyStatusBusy, BuddyStatusShownOffline };
constexpr int32_t kScopeRows[] = { Options::ScopeLogin, Options::ScopeChat, Options::ScopeMemo };

// The setting a radio kind other than the status shows; -1 without options.
int32_t Setting(int32_t kind)
{
    const Options* options = Options::GetInstance();
    if (!options)
        return -1;
    switch (kind) {
    case OptionView::KindChatType:
        return options->GetChatType();
    case OptionView::KindViewType:
        return options->GetViewType();
    case OptionView::KindSortType:
        return options->GetSortType();
    case OptionView::KindNotifyType:
        return options->GetNotifyType();
    default:
        return -1;
    }
}

void ChangeSetting(int32_t kind, int32_t value)
{
    Options* options = Options::GetInstance();
    if (!options)
        return;
    switch (kind) {
    case OptionView::KindChatType:
        options->SetChatType(value);
        break;
    case OptionView::KindViewType:
        options->SetViewType(value);
        break;
    case OptionView::KindSortType:
        options->SetSortType(value);
        break;
    case OptionView::KindNotifyType:
        options->SetNotifyType(value);
        break;
    default:
        break;
    }
}

int32_t MyStatus()
{
    const Me* me = Me::GetInstance();
    return me ? me->Status : BuddyStatusNotReported;
}

} // namespace

bool OptionView::ApplySkin(UxXmlNode* node)
{
    if (!FramedList::ApplySkin(node))
        return false;
    if (UxXmlNode* rect = node->FindChild(L"TextWithStatusIcon"))
        m_textWithIconRect = UxXmlNode::GetRect(rect->FindChild(L"_Rect"));
    return m_radioUnchecked.Read(node, L"RadioBoxUnchecked") && m_radioChecked.Read(node, L"RadioBoxChecked")
        && m_checkUnchecked.Read(node, L"CheckBoxUnchecked") && m_checkChecked.Read(node, L"CheckBoxChecked")
        && m_statusIcon.Read(node, L"StatusIcon") && m_text.Read(node, L"Text");
}

void OptionView::SetKind(int32_t kind)
{
    m_kind = kind;
    Clear();
    Invalidate();
    SetSelection(-1);
    AddItemRows(GetKindRowCount(kind));
}

int32_t OptionView::GetKindRowCount(int32_t kind)
{
    return kind >= 0 && kind < static_cast<int32_t>(std::size(kRowCounts)) ? kRowCounts[kind] : 0;
}

int32_t OptionView::GetStatusOfRow(int32_t row)
{
    return row >= 0 && row < static_cast<int32_t>(std::size(kStatusRows)) ? kStatusRows[row]
                                                                          : BuddyStatusOnline;
}

int32_t OptionView::GetRowOfStatus(int32_t status)
{
    switch (status) {
    case BuddyStatusAway:
        return 1;
    case BuddyStatusMeeting:
    case BuddyStatusPhone:
    case BuddyStatusBusy:
        return 2;
    case BuddyStatusShownOffline:
        return 3;
    default:
        return 0;
    }
}

int32_t OptionView::GetScopeOfRow(int32_t row)
{
    return row >= 0 && row < static_cast<int32_t>(std::size(kScopeRows)) ? kScopeRows[row] : 0;
}

std::wstring OptionView::GetRowText(int32_t kind, int32_t row)
{
    switch (kind) {
    case KindStatus:
        return GetStatusText(GetStatusOfRow(row));
    case KindChatType:
        return Options::GetChatTypeText(row);
    case KindViewType:
        return Options::GetViewTypeText(row);
    case KindSortType:
        return Options::GetSortTypeText(row);
    case KindNotifyType:
        return Options::GetNotifyTypeText(row);
    case KindNotifyScopes: {
        static const wchar_t* const kTexts[] = { L"로그인 알림", L"대화 알림", L"쪽지 알림" };
        return row >= 0 && row < static_cast<int32_t>(std::size(kTexts)) ? kTexts[row] : L"";
    }
    default:
        return L"";
    }
}

bool OptionView::IsRowChosen(int32_t kind, int32_t row)
{
    if (kind == KindStatus)
        return GetRowOfStatus(MyStatus()) == row;
    if (kind == KindNotifyScopes) {
        const Options* options = Options::GetInstance();
        return options && (options->GetNotifyScopes() & GetScopeOfRow(row)) != 0;
    }
    return Setting(kind) == row;
}

bool OptionView::DrawItems(UxListItemPainter& painter, int32_t index, bool selected)
{
    const std::wstring text = GetRowText(m_kind, index);
    if (m_kind == KindStatus) {
        m_statusIcon.item.SetImageCoord(GetStatusIconBig(GetStatusOfRow(index), 0));
        m_statusIcon.Draw(painter);
        m_text.Draw(painter, text, selected, m_textWithIconRect);
    } else {
        m_text.Draw(painter, text, selected);
    }
    const bool chosen = IsRowChosen(m_kind, index);
    if (m_kind == KindNotifyScopes)
        (chosen ? m_checkChecked : m_checkUnchecked).Draw(painter);
    else
        (chosen ? m_radioChecked : m_radioUnchecked).Draw(painter);
    return true;
}

void OptionView::OnRowClicked(int32_t index, int32_t, int32_t)
{
    if (!IsValidRow(index))
        return;
    switch (m_kind) {
    case KindStatus: {
        const int32_t old = GetRowOfStatus(MyStatus());
        // Sent again when it is the status already chosen.
        ChangeStatus(GetStatusOfRow(index));
        RefreshRow(old);
        RefreshRow(index);
        break;
    }
    case KindChatType:
    case KindViewType:
    case KindSortType:
    case KindNotifyType: {
        const int32_t old = Setting(m_kind);
        ChangeSetting(m_kind, index);
        if (IsValidRow(old))
            RefreshRow(old);
        RefreshRow(index);
        if (m_kind == KindViewType || m_kind == KindSortType)
            if (MessengerApp* app = MessengerApp::GetInstance())
                app->ReloadBuddyList();
        break;
    }
    case KindNotifyScopes:
        if (Options* options = Options::GetInstance())
            options->SetNotifyScopes(options->GetNotifyScopes() ^ GetScopeOfRow(index));
        RefreshRow(index);
        break;
    default:
        break;
    }
}
