#pragma once

#include "messenger/protocol/codec/PktIn.h"

// An incoming frame of two words (INCK, NNIK, QUIT).
class PktInSimple : public PktIn {
public:
    PktInSimple(const std::wstring& command, int32_t transactionId)
        : PktIn(command, transactionId)
    {
    }

    bool ReadArgs(PktStreamReader& reader) override;

    const std::wstring& GetText1() const { return m_text1; }
    const std::wstring& GetText2() const { return m_text2; }

private:
    std::wstring m_text1;
    std::wstring m_text2;
};
