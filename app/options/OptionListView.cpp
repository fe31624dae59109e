#include "app/options/OptionListView.h"

#include "app/options/OptionView.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "app/shell/StatusText.h"
#include "messenger/model/Me.h"
#include "messenger/model/Options.h"
#include "ux/core/UxNavigationController.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxTransitionManager.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxListItemPainter.h"

bool OptionListView::Create(UxXmlNode* node)
{
    if (!node || !ApplySkin(node))
        return false;
    if (UxXmlNode* height = node->FindChild(L"_TableViewItemHeight"); height && height->GetInt() > 0)
        m_itemHeight = height->GetInt();
    if (UxXmlNode* back = node->FindChild(L"_BackColor"))
        m_backColor = back->GetColor();
    if (!ReadRowItem(node, L"SelectionBar", m_selectionBar, m_selectionRect)
        || !ReadRowItem(node, L"Line", m_line, m_lineRect)
        || !ReadRowItem(node, L"DisclosureButton", m_disclosure, m_disclosureRect)
        || !ReadRowText(node, L"LText", m_leftText, m_leftRect)
        || !ReadRowItem(node, L"RText", m_rightText, m_rightRect))
        return false;
    SetAnimate(false);
    for (int32_t i = 0; i < RowCount; ++i) {
        UxListRow row;
        row.fullHeight = m_itemHeight;
        AddRow(row);
    }
    SetAnimate(true);
    return true;
}

std::wstring OptionListView::GetLeftText(int32_t row)
{
    static const wchar_t* const kTexts[RowCount]
        = { L"내 상태", L"내 대화명", L"대화 방식", L"보기 방식", L"정렬 방식", L"알림 방식", L"알림 범위", L"시스템 정보" };
    return row >= 0 && row < RowCount ? kTexts[row] : L"";
}

std::wstring OptionListView::GetRightText(int32_t row)
{
    const Me* me = Me::GetInstance();
    const Options* options = Options::GetInstance();
    switch (row) {
    case RowStatus:
        return me ? GetStatusText(me->Status) : L"";
    case RowNick:
        return me ? me->Nick : L"";
    case RowChatType:
        return options ? Options::GetChatTypeText(options->GetChatType()) : L"";
    case RowViewType:
        return options ? Options::GetViewTypeText(options->GetViewType()) : L"";
    case RowSortType:
        return options ? Options::GetSortTypeText(options->GetSortType()) : L"";
    case RowNotifyType:
        return options ? Options::GetNotifyTypeText(options->GetNotifyType()) : L"";
    case RowNotifyScopes:
        return options ? Options::GetNotifyScopesText(options->GetNotifyScopes()) : L"";
    default:
        return L"";
    }
}

bool OptionListView::PaintBackground(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(m_backColor, rect);
    return true;
}

bool OptionListView::DrawRow(
    UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip)
{
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
    UxTextItem& left = m_leftText[selected ? 1 : 0];
    left.SetText(GetLeftText(index));
    painter.DrawText(left, m_leftRect);
    m_rightText.SetText(GetRightText(index));
    painter.DrawText(m_rightText, m_rightRect);
    painter.DrawImage(m_disclosure, m_disclosureRect);
    painter.DrawImage(m_line, m_lineRect);
    return true;
}

void OptionListView::OnRowClicked(int32_t index, int32_t, int32_t)
{
    MessengerApp* app = MessengerApp::GetInstance();
    UxNavigationController* navigation = UxNavigationController::GetInstance();
    UxTransitionManager* transitions = UxTransitionManager::GetInstance();
    // A second tap while the first page slides in would push a page twice.
    if (!app || !navigation || navigation->GetPage() != GetParent()
        || (transitions && transitions->IsRunning()))
        return;
    UxWindow* page = nullptr;
    switch (index) {
    case RowNick:
        page = &app->GetOptionNickPage();
        break;
    case RowServiceInfo:
        page = &app->GetOptionServiceInfoPage();
        break;
    default:
        if (index < RowStatus || index > RowNotifyScopes)
            return;
        // The rows from the status on follow the choice pages' kinds, the nick aside.
        app->GetOptionPage().GetView().SetKind(index == RowStatus ? OptionView::KindStatus : index - 1);
        page = &app->GetOptionPage();
        break;
    }
    app->PushScreen(&app->GetStatusBarDisclosure(), page, MessengerApp::PushFromRight);
}
