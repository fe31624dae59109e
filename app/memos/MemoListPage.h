#pragma once

#include "app/shell/MainPage.h"

// The screen for the memo boxes; an empty page until it is built.
class MemoListPage : public MainPage {
public:
    MemoListPage()
        : MainPage(L"MemoList", TabBar::TabMemos)
    {
    }
};
