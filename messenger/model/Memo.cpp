#include "messenger/model/Memo.h"

std::wstring Memo::GetFirstLine() const
{
    return Title.substr(0, Title.find_first_of(L"\r\n"));
}

Memo& Memo::GetPlaceholder()
{
    static Memo placeholder;
    return placeholder;
}
