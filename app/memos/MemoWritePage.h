#pragma once

#include "app/shell/EmptyPage.h"

// The screen for writing a memo; an empty page until it is built.
class MemoWritePage : public EmptyPage {
public:
    MemoWritePage()
        : EmptyPage(L"MemoWrite")
    {
    }
};
