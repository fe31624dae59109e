#pragma once

#include "messenger/protocol/codec/Pkt.h"

#include <cstdint>

constexpr int32_t kFailureCodeSuccess = 100;

// Base of every incoming packet. A failure reply sets the result code instead of
// reading arguments.
class PktIn : public Pkt {
public:
    PktIn(const std::wstring& command, int32_t transactionId)
        : Pkt(command, transactionId)
    {
    }

    int32_t GetResult() const { return m_result; }
    void SetResult(int32_t result) { m_result = result; }
    bool Succeeded() const { return m_result == kFailureCodeSuccess; }

    std::unique_ptr<Pkt> Clone() const override { return nullptr; }
    bool WriteArgs(PktStreamWriter&) override { return false; }

private:
    int32_t m_result = kFailureCodeSuccess;
};
