#include "app/shell/FramedEdit.h"

#include "app/shell/SkinParts.h"

FramedEdit::~FramedEdit()
{
    RemoveChildren();
}

bool FramedEdit::ApplySkin(UxXmlNode* node)
{
    return FilledWindow::ApplySkin(node)
        && AddSkinParts(*this, node, { { L"BackSkin", &BackSkin }, { m_editName, &Edit } });
}

bool FramedEdit::OnChildEvent(UxWindow* child, int32_t code)
{
    if (child == &BackSkin && code == EventPointerDown)
        Edit.SetFocus(true);
    return true;
}
