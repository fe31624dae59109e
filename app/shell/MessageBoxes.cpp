#include "app/shell/MessageBoxes.h"

#include "ux/core/UxText.h"

bool ShowMsgBox(const std::wstring& text)
{
    UxTrace(L"ShowMsgBox, %s\n", text.c_str());
    return false;
}

bool ShowConfirmBox(const std::wstring& text, MsgBoxCallback, uintptr_t)
{
    UxTrace(L"ShowConfirmBox, %s\n", text.c_str());
    return false;
}

bool ShowConfirmCheckBox(const std::wstring& text, const std::wstring&, MsgBoxCallback, uintptr_t)
{
    UxTrace(L"ShowConfirmCheckBox, %s\n", text.c_str());
    return false;
}

bool ShowNotifyBox(const std::wstring&, const std::wstring& text)
{
    UxTrace(L"ShowNotifyBox, %s\n", text.c_str());
    return false;
}
