#pragma once

#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxEditFrame.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"

#include <string>

class ChatPage;
class UxPopup;

// The bottom of a chat page: the field the user types into with the emoticon button,
// or, while chatting is not possible, the reason in its place. Return sends the text;
// the first character typed and the field emptied tell the others.
class ChatInputBar : public UxWindow {
public:
    ~ChatInputBar() override;

    // Builds the bar from "Chat/InputBar" for page; false when the bar's own skin cannot
    // be applied.
    bool Create(ChatPage* page);

    void ShowInput();
    // The caret goes into the input, where it shows.
    void FocusInput();
    // Only while the field shows: once hidden, the reason stays until the field has
    // shown again.
    void ShowDisabledReason(const std::wstring& text);
    // Sends the text to the chat (or queues it until someone joined) and shows it at
    // once as the user's own line.
    void SendMessage(const std::wstring& text);
    // 1: the user started typing; 0: the field was emptied.
    void SendTypingNotice(int32_t state);
    void OpenEmoticons();

    bool OnChildEvent(UxWindow* child, int32_t code) override;
    bool OnSipShown(const plat::RECT& panelRect) override;
    bool OnSipHidden() override;

    UxEdit& GetInput() { return m_input; }
    UxLabel& GetDisabledReason() { return m_reason; }
    UxButton& GetEmoticonButton() { return m_emoticons; }

private:
    static void OnEmoticonChosen(uintptr_t context, UxPopup* popup, int32_t result);

    ChatPage* m_page = nullptr;
    UxEditFrame m_back;
    UxEdit m_input;
    UxLabel m_reason;
    UxButton m_emoticons;

    // Where every input bar sits while the input panel is away.
    static plat::RECT s_restoreRect;
};
