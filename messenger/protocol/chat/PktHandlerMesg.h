#pragma once

#include "messenger/protocol/codec/PktHandler.h"

#include <cstddef>

// A chat line or typing notice; a failed line of this user becomes an error line.
class PktHandlerMesg : public PktHandler {
public:
    bool Handle(TarvPeer* peer, PktIn& packet) override;

    // A line received is shown whole up to this many characters, as many as the longest
    // line the service sends can hold; a longer one is cut there and ends with kCutMark.
    static constexpr size_t kMaxLine = 64 * 1024;
    static constexpr const wchar_t* kCutMark = L" …(이하 생략)";
};
