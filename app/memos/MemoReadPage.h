#pragma once

#include "app/shell/EmptyPage.h"

// The screen for reading a memo; an empty page until it is built.
class MemoReadPage : public EmptyPage {
public:
    MemoReadPage()
        : EmptyPage(L"MemoRead")
    {
    }
};
