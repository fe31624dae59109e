#pragma once

#include "app/memos/MemoWriteView.h"
#include "app/shell/EmptyPage.h"

// The screen for writing a memo; an empty page until it is built.
class MemoWritePage : public EmptyPage {
public:
    MemoWritePage()
        : EmptyPage(L"MemoWrite")
    {
    }

    MemoWriteView& GetView() { return m_view; }

private:
    MemoWriteView m_view;
};
