#include "messenger/protocol/codec/PktTransactionIdIssuer.h"

#include <limits>

int32_t PktTransactionIdIssuer::Issue()
{
    if (m_lastId <= 0 || m_lastId == std::numeric_limits<int32_t>::max())
        m_lastId = 1;
    else
        ++m_lastId;
    return m_lastId;
}
