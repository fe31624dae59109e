#pragma once

#include "messenger/protocol/codec/Pkt.h"

// The general relay envelope: a complete inner packet, addressed by kind ("DP" for
// requests to the service, "SS" for a chat session) and key.
class PktOutCrp2 : public Pkt {
public:
    enum Kind { KindDp = 0, KindSs = 1 };

    PktOutCrp2(int32_t kind, const std::wstring& key)
        : Pkt(L"CRP2")
        , m_kind(kind)
        , m_key(key)
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutCrp2(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    // Serialises the inner packet (with its own id) into the payload and records it as
    // pending, so that its reply, which comes back inside an envelope, is matched like
    // any reply. An inner packet the service never answers is not recorded, and neither
    // is the envelope then.
    bool SetPayload(Pkt& inner);
    bool IsAnswered() const override { return m_answered; }
    int32_t GetInnerTransactionId() const override { return m_innerId; }

    int32_t GetKind() const { return m_kind; }
    const std::wstring& GetKey() const { return m_key; }
    const PktStreamWriter& GetPayload() const { return m_payload; }

protected:
    PktOutCrp2(const PktOutCrp2&) = default;

private:
    int32_t m_kind;
    std::wstring m_key;
    PktStreamWriter m_payload;
    bool m_answered = true;
    int32_t m_innerId = 0; // the inner packet's id while it is pending
};
