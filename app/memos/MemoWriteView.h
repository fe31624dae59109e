#pragma once

#include "app/shell/FilledWindow.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxEditFrame.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"

#include <string>
#include <vector>

class UxXmlNode;

// The compose form of a memo: its receivers (chosen in the buddy picker), the text and
// the send button. Whoever opens the page sets how the memo is written first.
class MemoWriteView : public FilledWindow {
public:
    // How the memo is written; travels with it as its event.
    enum Mode { ModeNew = 0, ModeForward = 1, ModeReply = 2, ModeReplyAll = 3, ModeNone = 4 };

    ~MemoWriteView() override;

    // The fill, then the children from the node's children of the same names. False when
    // the node is missing or a part fails.
    bool ApplySkin(UxXmlNode* node) override;
    bool OnChildEvent(UxWindow* child, int32_t code) override;

    // A new memo: no receivers, no text.
    void Clear();
    // The session ended: no draft, receivers or way of writing is left for the next.
    void Forget() { Reset(ModeNone, L"", L""); }
    // The text of the memo with this cookie goes on; the receivers are chosen anew.
    void SetForward(const std::wstring& cookie, const std::wstring& text);
    // An answer to the memo with this cookie, to its sender.
    void SetReply(const std::wstring& cookie, const std::wstring& sender);
    // An answer to the memo with this cookie, to all these ids.
    void SetReplyAll(const std::wstring& cookie, const std::vector<std::wstring>& ids);
    // Receivers (mail-form ids) replace the current ones; the way of writing and the
    // text stay.
    void SetReceivers(const std::vector<std::wstring>& ids);
    void SetSingleReceiver(const std::wstring& id);

    // Sends the memo and goes back; an alert instead while it has no receiver or no
    // text.
    void Send();

    const std::vector<std::wstring>& GetReceivers() const { return m_receivers; }
    int32_t GetMode() const { return m_mode; }
    const std::wstring& GetReference() const { return m_reference; }

    // The user's own name for the own id, a buddy's name for a buddy's id, else the id.
    static std::wstring GetDisplayName(const std::wstring& id);
    // The display names with ";" between them.
    static std::wstring JoinDisplayNames(const std::vector<std::wstring>& ids);

    UxEditFrame BackSkin;
    UxButton ReceiverButton;
    UxImageWindow ReceiverSkin;
    UxLabel ReceiverText;
    UxButton SendButton;
    UxEdit Message;

private:
    // Opens the buddy picker on the current receivers.
    void ChooseReceivers();
    void Reset(int32_t mode, const std::wstring& cookie, const std::wstring& text);

    int32_t m_mode = ModeNone;
    std::wstring m_reference;
    std::vector<std::wstring> m_receivers;
};
