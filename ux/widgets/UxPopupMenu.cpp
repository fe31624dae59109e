#include "ux/widgets/UxPopupMenu.h"

#include "platform/display/VirtualKeys.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlNode.h"

UxPopupMenu::UxPopupMenu()
    : m_list(this)
{
    m_layout.SetMargins(10);
    m_layout.SetSpacing(0);
    AddChild(&m_list);
    m_layout.AddCell(&m_list, nullptr, nullptr, nullptr, nullptr, 1.0f, 1.0f, false, false);
    m_list.GetYIndicator().ApplySettings(UxScrollIndicatorSettings { 1, 6, 0 });
    if (UxPopupInstance* popups = UxPopupInstance::GetInstance())
        popups->SetMenuList(&m_list);
}

UxPopupMenu::~UxPopupMenu()
{
    if (UxPopupInstance* popups = UxPopupInstance::GetInstance()) {
        if (popups->GetMenuList() == &m_list)
            popups->SetMenuList(nullptr);
    }
    RemoveChild(&m_list);
}

bool UxPopupMenu::ApplySkin(UxXmlNode* node)
{
    if (!UxPopup::ApplySkin(node))
        return false;
    if (UxXmlNode* layout = node ? node->FindChild(L"Layout") : nullptr) {
        if (UxXmlNode* n = layout->FindChild(L"Margin"))
            m_layout.SetMargins(n->GetInt());
        if (UxXmlNode* n = layout->FindChild(L"Spacing"))
            m_layout.SetSpacing(n->GetInt());
    }
    m_layout.Arrange(GetWidth(), GetHeight());
    return true;
}

bool UxPopupMenu::PaintListBackground(UxDeviceContext* surface, const plat::RECT& rect)
{
    surface->FillRect(0xFFFFFF, rect);
    return true;
}

bool UxPopupMenu::DrawRow(UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip)
{
    return m_list.DrawDefaultRow(surface, index, clip, rowClip);
}

void UxPopupMenu::OnRowClicked(int32_t index)
{
    if (m_list.IsValidRow(index) && m_list.GetRow(index).kind != UxListRow::Header)
        Close(1);
}

bool UxPopupMenu::OnPopupKey(uintptr_t key)
{
    if (key == plat::VK_UP || key == plat::VK_DOWN) {
        m_list.MoveKeyRow(key == plat::VK_UP ? -1 : 1);
        return true;
    }
    if (key != plat::VK_RETURN)
        return false;
    const int32_t index = m_list.GetKeyRow();
    if (!m_list.ClickKeyRow())
        return false;
    // As the list's click tells the menu, with the item as its answer; an item closes
    // it, and it is gone after this.
    if (m_list.GetRow(index).kind != UxListRow::Header)
        m_list.SetSelection(index);
    OnRowClicked(index);
    return true;
}
