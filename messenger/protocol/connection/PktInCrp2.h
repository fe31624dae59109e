#pragma once

#include "messenger/protocol/codec/PktIn.h"

#include <string>

// A relay envelope from the service: kind, key and one complete inner frame.
class PktInCrp2 : public PktIn {
public:
    explicit PktInCrp2(int32_t transactionId)
        : PktIn(L"CRP2", transactionId)
    {
    }

    // The key this envelope made current goes when the envelope has been handled: a
    // frame outside it is never taken for its chat's.
    ~PktInCrp2() override;

    // Also makes the key the current envelope key.
    bool ReadArgs(PktStreamReader& reader) override;

    int32_t Kind = 2;
    std::wstring Key;
    std::string Payload; // the inner frame's bytes, a copy of the frame's slice

    // The key of the most recently received envelope: inner chat handlers find their
    // session by it.
    static const std::wstring& GetCurrentKey() { return s_currentKey; }

private:
    static inline std::wstring s_currentKey;
    std::wstring m_outerKey; // the key before this envelope's
    bool m_keySet = false;
};
