#include "app/shell/FramedEdit.h"

#include "app/shell/SkinParts.h"

FramedEdit::~FramedEdit()
{
    RemoveChildren();
}

bool FramedEdit::ApplySkin(UxXmlNode* node)
{
    BackSkin.SetEdit(&Edit);
    return FilledWindow::ApplySkin(node)
        && AddSkinParts(*this, node, { { L"BackSkin", &BackSkin }, { m_editName, &Edit } });
}
