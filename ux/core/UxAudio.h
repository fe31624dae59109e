#pragma once

#include "ux/core/UxSingleton.h"

#include <string>

// Plays the alert sounds from the sound folder.
class UxAudio : public UxSingleton<UxAudio> {
public:
    // Starts the file (relative to the sound folder) and returns at once; a newer sound
    // cuts off one still playing. False when it cannot be played.
    bool Play(const std::wstring& fileName);
};
