#include "app/memos/MemoListPage.h"

#include "app/shell/SkinParts.h"
#include "ux/markup/UxXmlNode.h"

MemoListPage::~MemoListPage()
{
    RemoveChildren();
}

bool MemoListPage::Create()
{
    UxXmlNode* node = CreateFromSkin();
    return node && AddSkinParts(*this, node, { { L"TitleBar", &m_titleBar }, { L"View", &m_view } });
}
