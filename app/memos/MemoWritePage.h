#pragma once

#include "app/memos/MemoWriteView.h"
#include "app/shell/EmptyPage.h"

// The page that writes a memo: a new one, a forward, a reply or a reply to all.
class MemoWritePage : public EmptyPage {
public:
    MemoWritePage()
        : EmptyPage(L"MemoWrite")
    {
    }
    ~MemoWritePage() override;

    bool Create() override;
    // The title, and the text takes the keys.
    void OnWillShow() override;
    // Keys must not reach a box nobody sees.
    void OnWillHide() override;

    MemoWriteView& GetView() { return m_view; }

private:
    MemoWriteView m_view;
};
