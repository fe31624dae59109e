#include "app/options/OptionView.h"

#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "app/shell/StatusText.h"
#include "messenger/model/Me.h"
#include "messenger/model/Options.h"
#include "messenger/protocol/buddies/BuddyActions.h"
#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxListItemPainter.h"

#include <iterator>

namespace {

constexpr int32_t kRowCounts[] = { 4, 2, 4, 2, 4, 3 };
constexpr int32_t kStatusRows[] = { BuddyStatusOnline, BuddyStatusAway, BuddyStatusBusy, BuddyStatusShownOffline };
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

bool OptionView::Create(UxXmlNode* node)
{
    if (!node || !ApplySkin(node))
        return false;
    if (UxXmlNode* height = node->FindChild(L"_TableViewItemHeight"); height && height->GetInt() > 0)
        m_itemHeight = height->GetInt();
    if (UxXmlNode* back = node->FindChild(L"_BackColor"))
        m_backColor = back->GetColor();
    if (UxXmlNode* rect = node->FindChild(L"TextWithStatusIcon"))
        m_textWithIconRect = UxXmlNode::GetRect(rect->FindChild(L"_Rect"));
    return ReadRowItem(node, L"SelectionBar", m_selectionBar, m_selectionRect)
        && ReadRowItem(node, L"Line", m_line, m_lineRect)
        && ReadRowItem(node, L"RadioBoxUnchecked", m_radioUnchecked, m_radioUncheckedRect)
        && ReadRowItem(node, L"RadioBoxChecked", m_radioChecked, m_radioCheckedRect)
        && ReadRowItem(node, L"CheckBoxUnchecked", m_checkUnchecked, m_checkUncheckedRect)
        && ReadRowItem(node, L"CheckBoxChecked", m_checkChecked, m_checkCheckedRect)
        && ReadRowItem(node, L"StatusIcon", m_statusIcon, m_statusIconRect)
        && ReadRowItem(node, L"Text", m_text, m_textRect);
}

void OptionView::SetKind(int32_t kind)
{
    m_kind = kind;
    Clear();
    Invalidate();
    SetSelection(-1);
    const int32_t rows = GetKindRowCount(kind);
    for (int32_t i = 0; i < rows; ++i) {
        UxListRow row;
        row.fullHeight = m_itemHeight;
        AddRow(row);
    }
    StopAnimation();
}

int32_t OptionView::GetKindRowCount(int32_t kind)
{
    return kind >= 0 && kind < static_cast<int32_t>(std::size(kRowCounts)) ? kRowCounts[kind] : 0;
}

int32_t OptionView::GetStatusOfRow(int32_t row)
{
    return row >= 0 && row < static_cast<int32_t>(std::size(kStatusRows)) ? kStatusRows[row] : BuddyStatusOnline;
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

bool OptionView::PaintBackground(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(m_backColor, rect);
    return true;
}

bool OptionView::DrawRow(UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip)
{
    if (IsRectEmpty(clip))
        return true;
    const plat::POINT origin = GetSurfaceOffset();
    const plat::RECT rowRect = OffsetRect(GetRowRect(index), origin.x, origin.y);
    UxListItemPainter painter(this, surface, index, rowClip, rowRect);
    if (index == GetSelection())
        painter.DrawImage(m_selectionBar, m_selectionRect);
    else
        surface->FillRect(m_backColor, clip);
    m_text.SetText(GetRowText(m_kind, index));
    const bool chosen = IsRowChosen(m_kind, index);
    if (m_kind == KindStatus) {
        m_statusIcon.SetImageCoord(GetStatusIconBig(GetStatusOfRow(index), 0));
        painter.DrawImage(m_statusIcon, m_statusIconRect);
        painter.DrawText(m_text, m_textWithIconRect);
    } else {
        painter.DrawText(m_text, m_textRect);
    }
    if (m_kind == KindNotifyScopes) {
        if (chosen)
            painter.DrawImage(m_checkChecked, m_checkCheckedRect);
        else
            painter.DrawImage(m_checkUnchecked, m_checkUncheckedRect);
    } else if (chosen) {
        painter.DrawImage(m_radioChecked, m_radioCheckedRect);
    } else {
        painter.DrawImage(m_radioUnchecked, m_radioUncheckedRect);
    }
    painter.DrawImage(m_line, m_lineRect);
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
