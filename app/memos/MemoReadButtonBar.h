#pragma once

#include "ux/core/UxWindow.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxPopup.h"

#include <string>

class Memo;
class UxXmlNode;

// The buttons under a memo: reply, reply to all, forward, delete and report as spam.
// Memos of the sent box take no reply and no report.
class MemoReadButtonBar : public UxWindow {
public:
    ~MemoReadButtonBar() override;

    // Applies the node, adds the buttons and builds them from its children of the same
    // names. False when a part fails.
    bool ApplySkin(UxXmlNode* node) override;
    bool OnChildEvent(UxWindow* child, int32_t code) override;

    // The answers to the two questions (2: Yes). They act on the memo asked about, found
    // again by its cookie: the memos may have been freed and fetched anew meanwhile (a box
    // switch), and a memo no longer listed is left alone.
    static void OnDeleteAnswered(uintptr_t context, UxPopup* box, int32_t result);
    static void OnSpamAnswered(uintptr_t context, UxPopup* box, int32_t result);

    UxButton ReplyButton;
    UxButton ReplyAllButton;
    UxButton ForwardButton;
    UxButton DeleteButton;
    UxButton SpamButton;

private:
    void Reply();
    void ReplyAll();
    void Forward();
    // The memo of MemoList that the question was asked about; null when it has gone.
    static Memo* AskedMemo();

    // The cookie of the memo shown when the delete or report question was asked.
    std::wstring m_askedCookie;
};
