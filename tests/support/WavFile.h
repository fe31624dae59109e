#pragma once

#include <cstdint>
#include <string>

// A mono 16-bit PCM WAV file of silence lasting ms milliseconds at 8000 Hz.
inline std::string MakeWav(uint32_t ms)
{
    const uint32_t rate = 8000;
    const uint32_t dataBytes = rate * ms / 1000 * 2;
    std::string out;
    auto le = [&](uint32_t v, int bytes) { // little-endian
        for (int i = 0; i < bytes; ++i)
            out.push_back(char(v >> (8 * i)));
    };
    out += "RIFF";
    le(36 + dataBytes, 4);
    out += "WAVEfmt ";
    le(16, 4);
    le(1, 2); // PCM
    le(1, 2); // mono
    le(rate, 4);
    le(rate * 2, 4);
    le(2, 2);
    le(16, 2);
    out += "data";
    le(dataBytes, 4);
    out.append(dataBytes, '\0');
    return out;
}
