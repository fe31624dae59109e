#include "app/buddies/BuddyListSearchBar.h"

#include "app/buddies/BuddyListView.h"
#include "app/shell/EditLimit.h"
#include "app/shell/SkinParts.h"

BuddyListSearchBar::~BuddyListSearchBar()
{
    RemoveChildren();
}

bool BuddyListSearchBar::Build(UxXmlNode* node, BuddyListView* view)
{
    m_view = view;
    if (!node || !ApplySkin(node))
        return false;
    if (!AddSkinParts(*this, node,
            { { L"BackSkin", &BackSkin }, { L"SearchIcon", &SearchIcon }, { L"RollbackIcon", &RollbackIcon },
                { L"SearchWord", &SearchWord } }))
        return false;
    SayEditLimit(SearchWord, L"검색어는");
    BackSkin.SetEdit(&SearchWord);
    SearchIcon.SetEdit(&SearchWord);
    UpdateIcons();
    return true;
}

void BuddyListSearchBar::UpdateIcons()
{
    const bool empty = SearchWord.IsEmpty();
    SearchIcon.SetVisible(empty);
    RollbackIcon.SetVisible(!empty);
    SearchIcon.Invalidate();
    RollbackIcon.Invalidate();
}

bool BuddyListSearchBar::OnChildEvent(UxWindow* child, int32_t code)
{
    if (child == &SearchWord && (code == EventComposition || code == EventChar)) {
        if (m_view)
            m_view->SetFilter(SearchWord.GetText());
        UpdateIcons();
    } else if (child == &RollbackIcon && code == EventPointerUp) {
        if (m_view)
            m_view->SetFilter(L"");
        SearchWord.SetText(L"");
        UpdateIcons();
    }
    return true;
}
