#include "app/shell/MenuMemoBox.h"

AppMenu::Look MenuMemoBox::s_look;

MenuMemoBox::MenuMemoBox()
    : AppMenu(L"MenuMemoBox", s_look)
{
    for (const wchar_t* text : { L"받은 쪽지함", L"보낸 쪽지함" })
        AddItem(text);
}
