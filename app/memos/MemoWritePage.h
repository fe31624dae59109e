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
    // With text written, Escape asks before it is thrown away.
    bool OnEscape() override;

    // Text is written here, on a page still open (shown, or under a picker).
    bool IsWriting() const;
    // What would throw that text away (Escape, a sign-out, quitting) asks first: true
    // when the question is shown, whose answer goes to then with context; false, with
    // nothing asked, when no text would be lost (or a skin without message boxes cannot
    // ask).
    bool AskBeforeDiscarding(UxPopupCallback then, uintptr_t context);

    MemoWriteView& GetView() { return m_view; }

private:
    static void OnDiscardAnswered(uintptr_t context, UxPopup* box, int32_t result);

    MemoWriteView m_view;
};
