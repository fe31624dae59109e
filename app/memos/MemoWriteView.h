#pragma once

#include <string>
#include <vector>

// The memo writer's compose state; a stand-in until the writer is built. Every way of
// opening the writer sets it before the page is pushed.
class MemoWriteView {
public:
    // A new memo: no receivers, no text.
    void Clear()
    {
        m_receivers.clear();
        m_reference.clear();
    }
    void SetForward(const std::wstring& cookie, const std::wstring&) { m_reference = cookie; }
    void SetReply(const std::wstring& cookie, const std::wstring& sender)
    {
        m_reference = cookie;
        m_receivers = { sender };
    }
    void SetReplyAll(const std::wstring& cookie, const std::vector<std::wstring>& ids)
    {
        m_reference = cookie;
        m_receivers = ids;
    }
    // Receivers (mail-form ids) replace the current ones; the text stays.
    void SetReceivers(const std::vector<std::wstring>& ids) { m_receivers = ids; }
    void SetSingleReceiver(const std::wstring& id) { m_receivers = { id }; }
    const std::vector<std::wstring>& GetReceivers() const { return m_receivers; }

private:
    std::vector<std::wstring> m_receivers;
    std::wstring m_reference;
};
