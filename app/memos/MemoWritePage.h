#pragma once

#include "app/memos/MemoWriteView.h"
#include "app/shell/EmptyPage.h"
#include "ux/widgets/UxPopup.h"

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
    // With text written, Escape asks before it is thrown away.
    bool OnEscape() override;

    MemoWriteView& GetView() { return m_view; }

private:
    static void OnDiscardAnswered(uintptr_t context, UxPopup* box, int32_t result);

    MemoWriteView m_view;
};
