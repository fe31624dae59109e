#include "app/shell/MenuSystem.h"

AppMenu::Look MenuSystem::s_look;

MenuSystem::MenuSystem()
    : AppMenu(L"MenuSystem", s_look)
{
    for (const wchar_t* text : { L"그룹 추가", L"친구 추가", L"친구 요청함", L"로그아웃" })
        AddItem(text);
}
