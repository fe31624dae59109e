#pragma once

#include <cstdint>
#include <string>

// One person in a chat, as "JOIN" and "USER" describe them.
struct ChatParticipant {
    std::wstring Id;
    std::wstring Name;
    std::wstring Nick;
    std::wstring Extra; // passed through, not interpreted
    int32_t Kind = 2; // 0 when the wire word was "1", else 2
};
