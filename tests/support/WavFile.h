#pragma once

#include <cstdint>
#include <string>

// A mono 16-bit PCM WAV file of silence lasting ms milliseconds at 8000 Hz.
inline std::string MakeWav(uint32_t ms)
{
    const uint32_t rate = 8000;
    const uint32_t dataBytes = rate * ms / 1000 * 2;
    std::string out;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(char(v >> (8 * i)));
    };
    auto u16 = [&](uint16_t v) {
        out.push_back(char(v));
        out.push_back(char(v >> 8));
    };
    out += "RIFF";
    u32(36 + dataBytes);
    out += "WAVEfmt ";
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out += "data";
    u32(dataBytes);
    out.append(dataBytes, '\0');
    return out;
}
