#pragma once

#include "messenger/protocol/connection/TarvPeer.h"
#include "ux/core/UxText.h"

#include <string>
#include <vector>

// A service connection without a socket: every frame sent, every connect and every
// close is written down instead.
class RecordingPeer : public TarvPeer {
public:
    bool ConnectTo(const std::wstring& host, int port, int mode) override
    {
        events.push_back(
            "connect " + ToUtf8(host) + ":" + std::to_string(port) + " mode " + std::to_string(mode));
        return connectResult;
    }
    void Disconnect() override
    {
        events.push_back("disconnect");
        TarvPeer::Disconnect();
    }

    // Feeds bytes as if they had been received: frames are cut and dispatched until
    // the rest is incomplete or the peer was closed.
    void Receive(const std::string& bytes)
    {
        buffer += bytes;
        const size_t closes = Count("disconnect");
        while (!buffer.empty() && Count("disconnect") == closes) {
            int length = 0;
            GetPacketLength(
                reinterpret_cast<const uint8_t*>(buffer.data()), static_cast<int>(buffer.size()), &length);
            if (length <= 0 || Count("disconnect") != closes)
                break;
            std::string frame = buffer.substr(0, static_cast<size_t>(length));
            buffer.erase(0, static_cast<size_t>(length));
            OnPacket(reinterpret_cast<const uint8_t*>(frame.data()), length);
        }
    }

    size_t Count(const std::string& event) const
    {
        size_t n = 0;
        for (const auto& e : events)
            n += e == event;
        return n;
    }

    std::vector<std::string> sent; // one entry per frame
    std::vector<std::string> events;
    std::string buffer;
    bool connectResult = true;

protected:
    bool SendBytes(const void* data, int size) override
    {
        sent.emplace_back(static_cast<const char*>(data), static_cast<size_t>(size));
        return true;
    }
};

// A connection whose sends start failing after a number of frames; a failed send is
// reported at once, as the socket layer does. sendsLeft goes on counting down with every
// frame tried, so it also tells how many were tried after the failure.
class FailingPeer : public RecordingPeer {
public:
    int sendsLeft = 1000;

protected:
    bool SendBytes(const void* data, int size) override
    {
        if (sendsLeft-- > 0)
            return RecordingPeer::SendBytes(data, size);
        OnSendError(10054);
        return false;
    }
};
