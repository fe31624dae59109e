#pragma once

#include "platform/system/ConnectionManager.h"
#include "ux/core/UxSingleton.h"

#include <cstdint>

// Brings the packet-data connection up before the messenger connects, and lets it go.
class UxConnectionHelper : public UxSingleton<UxConnectionHelper> {
public:
    // Blocks until the connection is up or timeoutMs has passed. A connection already
    // held is released first.
    bool Establish(uint32_t timeoutMs);
    // True without a connection; a refused release keeps the handle.
    bool Release();

    bool HasConnection() const { return m_connection != 0; }

private:
    plat::HCONNECTION m_connection = 0;
};
