#include "ux/widgets/UxMessageBox.h"

#include "ux/core/UxPopupInstance.h"
#include "ux/markup/UxXmlNode.h"

UxMessageBox::UxMessageBox()
{
    CloseOnOutsideTap = 0;
    for (UxWindow* part : std::initializer_list<UxWindow*> { &Icon, &TitleText, &Line, &Text, &CheckBox,
             &CheckBoxText, &OkButton, &YesButton, &NoButton })
        AddChild(part);
    Text.SetStyles(UxEdit::ReadOnly);
    CheckBox.SetTabStop(true);
    if (UxPopupInstance* popups = UxPopupInstance::GetInstance())
        popups->SetMenuList(&Text);
}

UxMessageBox::~UxMessageBox()
{
    if (UxPopupInstance* popups = UxPopupInstance::GetInstance()) {
        if (popups->GetMenuList() == &Text)
            popups->SetMenuList(nullptr);
    }
    for (UxWindow* part : std::initializer_list<UxWindow*> { &Icon, &TitleText, &Line, &Text, &CheckBox,
             &CheckBoxText, &OkButton, &YesButton, &NoButton })
        RemoveChild(part);
}

bool UxMessageBox::OnChildEvent(UxWindow* child, int32_t code)
{
    if (code != EventClick)
        return true;
    if (child == &OkButton)
        return Close(ResultOk);
    if (child == &YesButton)
        return Close(ResultYes);
    if (child == &NoButton)
        return Close(ResultNo);
    return true;
}

int32_t UxMessageBox::GetEscapeResult() const
{
    if (NoButton.IsVisible())
        return ResultNo;
    return OkButton.IsVisible() ? ResultOk : -1;
}

int32_t UxMessageBox::GetEnterResult() const
{
    if (OkButton.IsVisible())
        return ResultOk;
    return YesButton.IsVisible() ? ResultYes : -1;
}

bool UxMessageBox::ApplySkin(UxXmlNode* node)
{
    m_skinFailed = true;
    if (!node || !UxPopup::ApplySkin(node))
        return false;
    struct Part {
        const wchar_t* name;
        UxWindow* window;
    } parts[] = { { L"Icon", &Icon }, { L"TitleText", &TitleText }, { L"Line", &Line }, { L"Text", &Text },
        { L"CheckBox", &CheckBox }, { L"CheckBoxText", &CheckBoxText }, { L"OkButton", &OkButton },
        { L"YesButton", &YesButton }, { L"NoButton", &NoButton } };
    for (const Part& part : parts) {
        UxXmlNode* n = node->FindChild(part.name);
        if (!n)
            continue;
        if (!part.window->ApplySkin(n))
            return false;
        if (part.window == &Text) {
            if (UxXmlNode* r = n->FindChild(L"_Rect"))
                m_textRect = r->GetRect();
            if (UxXmlNode* r = n->FindChild(L"_RectForCheckBox"))
                m_textRectWithCheckBox = r->GetRect();
        }
    }
    m_skinFailed = false;
    return true;
}

void UxMessageBox::SetStyle(uint32_t style)
{
    Icon.SetVisible(style & ShowIcon);
    TitleText.SetVisible(style & ShowTitle);
    Line.SetVisible(style & ShowLine);
    Text.SetVisible(style & ShowText);
    OkButton.SetVisible(style & ShowOk);
    YesButton.SetVisible(style & ShowYesNo);
    NoButton.SetVisible(style & ShowYesNo);
    CheckBox.SetVisible(style & ShowCheckBox);
    CheckBoxText.SetVisible(style & ShowCheckBox);
    Text.SetRect((style & ShowCheckBox) ? m_textRectWithCheckBox : m_textRect);
}

bool UxMessageBox::Show(uint32_t style, UxPopupCallback callback, uintptr_t context)
{
    if (!m_skinFailed) {
        SetStyle(style);
        if (Popup(callback, context))
            return true;
    }
    delete this;
    return false;
}
