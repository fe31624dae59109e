#include "app/buddies/BuddyProfileButtonBar.h"

#include "app/buddies/BuddyProfileView.h"
#include "app/shell/MessageBoxes.h"
#include "app/shell/SkinParts.h"
#include "app/shell/StatusBarDisclosure.h"
#include "messenger/model/BuddyList.h"
#include "messenger/protocol/buddies/BuddyActions.h"

namespace {

constexpr int32_t kYes = 2;

} // namespace

BuddyProfileButtonBar::~BuddyProfileButtonBar()
{
    RemoveChildren();
}

bool BuddyProfileButtonBar::ApplySkin(UxXmlNode* node)
{
    return FilledWindow::ApplySkin(node)
        && AddSkinParts(
            *this, node, { { L"BlockButton", &BlockButton }, { L"DeleteButton", &DeleteButton } });
}

void BuddyProfileButtonBar::UpdateBlockLabel()
{
    const Buddy* buddy = m_view.GetBuddy();
    const wchar_t* text = buddy && buddy->HasFlag(BuddyListAllow) ? L"친구 차단" : L"차단 해제";
    if (BlockButton.GetDefaultLabel().GetText() == text)
        return;
    BlockButton.GetDefaultLabel().SetText(text);
    // A pressed label of its own only when the skin gives it a look; else the normal one shows.
    if (BlockButton.GetClickedLabel().GetFontHandle() != -1)
        BlockButton.GetClickedLabel().SetText(text);
    BlockButton.Invalidate();
}

bool BuddyProfileButtonBar::OnPaint(UxDeviceContext* surface, const plat::RECT& rect)
{
    UpdateBlockLabel();
    return FilledWindow::OnPaint(surface, rect);
}

bool BuddyProfileButtonBar::OnChildEvent(UxWindow* child, int32_t code)
{
    const Buddy* buddy = m_view.GetBuddy();
    if (code != EventPointerUp || !buddy)
        return true;
    m_askedId = buddy->Id;
    if (child == &BlockButton) {
        m_blocking = buddy->HasFlag(BuddyListAllow);
        ShowConfirmBox(m_blocking ? L"차단하시겠습니까?" : L"차단을 해제하시겠습니까?", &OnBlockAnswered,
            reinterpret_cast<uintptr_t>(this));
    } else if (child == &DeleteButton) {
        ShowConfirmBox(L"삭제하시겠습니까?", &OnDeleteAnswered, reinterpret_cast<uintptr_t>(this));
    }
    return true;
}

void BuddyProfileButtonBar::OnBlockAnswered(uintptr_t context, UxPopup*, int32_t result)
{
    auto* bar = reinterpret_cast<BuddyProfileButtonBar*>(context);
    const Buddy* buddy = bar->m_view.GetBuddy();
    // The profile may show another buddy, or none, by the time the answer comes.
    if (result != kYes || !buddy || buddy->Id != bar->m_askedId)
        return;
    // The screen stays; the answer changes the flags and the label.
    if (bar->m_blocking)
        BlockBuddy(*buddy, bar->m_view.GetGroupId());
    else
        AllowBuddy(*buddy, bar->m_view.GetGroupId());
}

void BuddyProfileButtonBar::OnDeleteAnswered(uintptr_t context, UxPopup*, int32_t result)
{
    auto* bar = reinterpret_cast<BuddyProfileButtonBar*>(context);
    const Buddy* buddy = bar->m_view.GetBuddy();
    if (result != kYes || !buddy || buddy->Id != bar->m_askedId)
        return;
    // Back at once; the buddy leaves the lists when the service answers.
    if (DeleteBuddy(*buddy) && bar->GetParent())
        StatusBarDisclosure::BackFrom(*bar->GetParent());
}
