#include "app/buddies/BuddyAddView.h"

#include "app/shell/EditLimit.h"
#include "app/shell/MenuAccount.h"
#include "app/shell/MessengerApp.h"
#include "app/shell/SkinParts.h"
#include "messenger/protocol/login/SavedLogin.h"
#include "platform/display/VirtualKeys.h"
#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"

BuddyAddView::~BuddyAddView()
{
    RemoveChildren();
}

bool BuddyAddView::ApplySkin(UxXmlNode* node)
{
    if (!FramedList::ApplySkin(node) || !m_label.Read(node, L"LText")
        || !m_value.Read(node, L"RText") || !m_idSkin.Read(node, L"IdSkin")
        || !m_accountSkin.Read(node, L"AccountSkin") || !m_disclosure.Read(node, L"DisclosureButton"))
        return false;
    if (!AddSkinParts(*this, node,
            { { L"IdEdit", &IdEdit }, { L"AccountEdit", &AccountEdit }, { L"AccountButton", &AccountButton },
                { L"RequestMessage", &RequestMessage } }))
        return false;
    SayEditLimit(IdEdit, L"아이디는");
    SayEditLimit(AccountEdit, L"도메인은");
    SayEditLimit(RequestMessage, L"메시지는");
    MenuAccount::ShowDomain(AccountEdit, kDefaultAccountDomain);
    // The edits lie over the rows, which must not move under them.
    AddFixedRows(RowCount);
    AddChild(&GroupStop);
    GroupStop.PlaceAt(GetRowRect(RowGroup));
    return true;
}

void BuddyAddView::SetGroupName(const std::wstring& name)
{
    m_groupName = name;
    RefreshRow(RowGroup);
}

void BuddyAddView::Clear()
{
    IdEdit.SetText(L"");
    MenuAccount::ShowDomain(AccountEdit, kDefaultAccountDomain);
    RequestMessage.SetText(L"");
    m_backToGroup = false;
    SetSelection(-1);
    SetGroupName(L"기타");
    Invalidate();
}

UxEdit* BuddyAddView::EditFramedAt(int32_t x, int32_t y)
{
    const int32_t row = RowAtScreenY(y);
    const RowImage* frame = row == RowDomain ? &m_accountSkin : row == RowId || row == RowMessage ? &m_idSkin : nullptr;
    if (!frame)
        return nullptr;
    const plat::RECT rowRect = ClientToScreen(GetRowRect(row));
    const plat::RECT box = OffsetRect(frame->rect, rowRect.left, rowRect.top);
    if (!PointInRect(box, { x, y }))
        return nullptr;
    if (row == RowId)
        return &IdEdit;
    if (row == RowMessage)
        return &RequestMessage;
    return AccountEdit.GetStyles() & UxEdit::ReadOnly ? nullptr : &AccountEdit;
}

bool BuddyAddView::OnPointerDown(int32_t x, int32_t y)
{
    // The whole frame takes the press, not only the text line inside it.
    if (UxEdit* edit = EditFramedAt(x, y))
        edit->SetFocus(true);
    return UxListWindow::OnPointerDown(x, y);
}

bool BuddyAddView::OnChildEvent(UxWindow* child, int32_t code)
{
    UxListWindow::OnChildEvent(child, code);
    const bool domainChoice = child == &AccountEdit && MenuAccount::ShowsListedDomain(AccountEdit);
    if ((child == &AccountButton || domainChoice) && code == EventPointerUp)
        MenuAccount::Open(AccountEdit);
    if (code != EventKeyDown)
        return true;
    if ((child == &IdEdit || child == &AccountEdit) && MenuAccount::IsOpenKey(EventParam1))
        MenuAccount::Open(AccountEdit);
    // A Space held since before the stop was reached opens nothing.
    else if (child == &GroupStop && EventParam1 == plat::VK_SPACE && !(EventParam2 & 0x40000000u))
        OpenGroupChooser();
    return true;
}

bool BuddyAddView::DrawItems(UxListItemPainter& painter, int32_t index, bool selected)
{
    static const wchar_t* const kLabels[RowCount] = { L"ID", L"@", L"메시지", L"그룹" };
    if (index < 0 || index >= RowCount)
        return false;
    if (index == RowGroup && !selected && GroupStop.IsFocused()) {
        // Lit as the keyboard's row of a list while the keyboard is on it.
        m_frame.selectionBar.Draw(painter);
        selected = true;
    }
    if (index == RowDomain)
        m_accountSkin.Draw(painter);
    else if (index == RowGroup)
        m_disclosure.Draw(painter);
    else
        m_idSkin.Draw(painter);
    m_label.Draw(painter, kLabels[index], selected);
    m_value.Draw(painter, index == RowGroup ? m_groupName : L"", selected);
    return true;
}

void BuddyAddView::OnRowClicked(int32_t index, int32_t, int32_t)
{
    // The bar shows the press only: a tapped row does not stay highlighted.
    SetSelection(-1);
    if (index == RowDomain && MenuAccount::ShowsListedDomain(AccountEdit)) {
        MenuAccount::Open(AccountEdit);
        return;
    }
    if (index == RowGroup)
        OpenGroupChooser();
}

void BuddyAddView::OpenGroupChooser()
{
    MessengerApp* app = MessengerApp::GetInstance();
    if (!app)
        return;
    m_backToGroup = GroupStop.IsFocused();
    GroupSelectPage& chooser = app->GetGroupSelectPage();
    chooser.Setup(GroupSelectPage::ModeAdd, IdEdit.GetText(), L"", m_groupName);
    app->PushScreen(&app->GetStatusBarDisclosure(), &chooser, MessengerApp::PushFromRight);
}

void BuddyAddView::FocusOnShow()
{
    (m_backToGroup ? static_cast<UxWindow&>(GroupStop) : IdEdit).SetFocus(true);
    m_backToGroup = false;
}
