#include "app/shell/MenuEmoticon.h"

#include "ux/markup/UxXmlSkinHelper.h"
#include "ux/widgets/UxListItemPainter.h"

AppMenu::Look MenuEmoticon::s_look;

MenuEmoticon::MenuEmoticon()
    : AppMenu(L"MenuEmoticon", s_look)
{
    // The animated pictures ("RGBA") of the emoticons, in the skin's order.
    UxXmlNode* list = SelectSkinNode(L"_EmoticonList", L"RGBA");
    for (size_t i = 0; list && i < list->GetChildCount(); ++i) {
        UxXmlNode* emoticon = list->GetChild(i);
        if (emoticon->GetKind() != UxXmlNode::Element)
            continue;
        auto icon = std::make_unique<UxImageItem>();
        icon->ApplySkin(emoticon);
        m_icons.push_back(std::move(icon));
        AddItem(UxXmlNode::GetText(emoticon->FindChild(L"Text")));
    }
}

MenuEmoticon::~MenuEmoticon() = default;

void MenuEmoticon::DrawRowIcon(UxListItemPainter& painter, int32_t index)
{
    if (index >= 0 && size_t(index) < m_icons.size())
        painter.DrawImage(*m_icons[size_t(index)], m_look.iconRect);
}
