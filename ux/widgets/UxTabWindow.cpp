#include "ux/widgets/UxTabWindow.h"

#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxCheckButton.h"

#include <string>

namespace {

// More tabs than fit a phone's width is a broken skin.
constexpr int32_t kMaxTabs = 32;

} // namespace

UxTabWindow::~UxTabWindow()
{
    for (UxCheckButton* tab : m_tabs) {
        RemoveChild(tab);
        delete tab;
    }
}

void UxTabWindow::OnTabSelected(int32_t) { }

bool UxTabWindow::OnChildEvent(UxWindow* child, int32_t code)
{
    if (code != EventPointerUp)
        return true;
    for (size_t i = 0; i < m_tabs.size(); ++i) {
        if (m_tabs[i] == child)
            return Select(int32_t(i));
    }
    return true;
}

bool UxTabWindow::ApplySkin(UxXmlNode* node)
{
    if (!UxWindow::ApplySkin(node))
        return false;
    if (!node)
        return true;
    if (UxXmlNode* n = node->FindChild(L"NumTabs")) {
        for (int32_t i = 0, count = n->GetInt(); i < count && m_tabs.size() < size_t(kMaxTabs); ++i) {
            auto* tab = new UxCheckButton;
            AddChild(tab);
            m_tabs.push_back(tab);
            m_layout.AddWindow(tab);
        }
        m_layout.Arrange(GetWidth(), GetHeight());
    }
    for (size_t i = 0; i < m_tabs.size(); ++i) {
        UxXmlNode* look = node->FindChild(L"Tab" + std::to_wstring(i + 1));
        if (look && !m_tabs[i]->ApplySkin(look))
            return false;
    }
    return true;
}

bool UxTabWindow::Select(int32_t index)
{
    for (size_t i = 0; i < m_tabs.size(); ++i) {
        UxCheckButton* tab = m_tabs[i];
        if (int32_t(i) != index) {
            tab->SetChecked(false);
            tab->Enabled = 1;
            continue;
        }
        tab->SetChecked(true);
        tab->Enabled = 0; // tapping the selected tab again does nothing
        OnTabSelected(index);
        if (UxWindow* parent = GetParent()) {
            EventParam1 = uintptr_t(index);
            if (!parent->OnChildEvent(this, EventTabSelected))
                return false;
        }
    }
    return true;
}

UxCheckButton* UxTabWindow::GetTab(int32_t index) const
{
    return index >= 0 && size_t(index) < m_tabs.size() ? m_tabs[size_t(index)] : nullptr;
}
