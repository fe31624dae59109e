#pragma once

#include "ux/core/UxSingleton.h"

#include <cstdint>

// Hands out transaction ids 1, 2, 3 ...; after the largest id it starts again at 1,
// so an id is never 0 or negative.
class PktTransactionIdIssuer : public UxSingleton<PktTransactionIdIssuer> {
public:
    explicit PktTransactionIdIssuer(int32_t lastId = 0)
        : m_lastId(lastId)
    {
    }

    int32_t Issue();

private:
    int32_t m_lastId;
};
