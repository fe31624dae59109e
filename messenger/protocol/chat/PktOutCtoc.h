#pragma once

#include "messenger/protocol/codec/Pkt.h"

// One packet for one other user (an invitation), relayed by the service without an id.
class PktOutCtoc : public Pkt {
public:
    enum Delivery { DeliveryU = 0, DeliveryA = 1, DeliveryN = 2 };

    PktOutCtoc()
        : Pkt(L"CTOC")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutCtoc(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    // Serialises the inner packet without its id; nothing is kept as pending for it.
    bool SetPayload(Pkt& inner);
    // The relay is delivered without a word back to the sender.
    bool IsAnswered() const override { return false; }

    std::wstring Target;
    int32_t Delivery = 3;

protected:
    PktOutCtoc(const PktOutCtoc&) = default;

private:
    PktStreamWriter m_payload;
};
