#pragma once

#include "app/memos/MemoReadButtonBar.h"
#include "app/memos/MemoReadView.h"
#include "app/shell/EmptyPage.h"

// One memo of the box: its card and the buttons that answer, forward, delete or
// report it.
class MemoReadPage : public EmptyPage {
public:
    MemoReadPage()
        : EmptyPage(L"MemoRead")
    {
    }
    ~MemoReadPage() override;

    bool Create() override;
    void OnWillShow() override;

    // The memo shown while this page is on top; null otherwise.
    Memo* GetShownMemo();

    MemoReadButtonBar& GetButtonBar() { return m_buttonBar; }
    MemoReadView& GetView() { return m_view; }
    UxWindow* GetKeyView() override { return &m_view; }

private:
    MemoReadButtonBar m_buttonBar;
    MemoReadView m_view;
};
