#include "app/options/OptionListView.h"

#include "app/options/OptionView.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/StatusText.h"
#include "messenger/model/Me.h"
#include "messenger/model/Options.h"
#include "ux/core/UxNavigationController.h"
#include "ux/core/UxTransitionManager.h"
#include "ux/widgets/UxListItemPainter.h"

bool OptionListView::ApplySkin(UxXmlNode* node)
{
    if (!FramedList::ApplySkin(node) || !m_disclosure.Read(node, L"DisclosureButton")
        || !m_leftText.Read(node, L"LText") || !m_rightText.Read(node, L"RText"))
        return false;
    AddItemRows(RowCount);
    return true;
}

std::wstring OptionListView::GetLeftText(int32_t row)
{
    static const wchar_t* const kTexts[RowCount] = { L"내 상태", L"내 대화명", L"대화 방식", L"보기 방식",
        L"정렬 방식", L"알림 방식", L"알림 범위", L"시스템 정보" };
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

bool OptionListView::DrawItems(UxListItemPainter& painter, int32_t index, bool selected)
{
    m_leftText.Draw(painter, GetLeftText(index), selected);
    m_rightText.Draw(painter, GetRightText(index), selected);
    m_disclosure.Draw(painter);
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
