#pragma once

#include <cstdint>

// Watches an HTTP exchange. Each operation returns non-zero to go on and 0 to abort.
class UxHttpListener {
public:
    virtual ~UxHttpListener() = default;
    virtual int OnConnecting() { return 1; }
    virtual int OnConnected() { return 1; }
    // After every successful send, once done has grown by bytes.
    virtual int OnSent(int32_t /*bytes*/) { return 1; }
    virtual int OnRequestSent() { return 1; }
    // After every received chunk, once done has grown.
    virtual int OnReceived(int32_t /*bytes*/) { return 1; }
    // When the server has closed the connection.
    virtual int OnReceiveComplete() { return 1; }

    int32_t done = 0;
    int32_t total = 0;
};
