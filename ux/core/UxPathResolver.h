#pragma once

#include "ux/core/UxSingleton.h"

#include <string>

// Turns resource names ("Image\Skin.dat") into paths under one of four base folders.
// The application sets 0 = program folder + "Image\", 1 = + "Sound\", 2 = the program
// folder and 3 = the folder for downloaded files.
class UxPathResolver : public UxSingleton<UxPathResolver> {
public:
    static constexpr int kBaseCount = 4;

    // Stores path as base index without one trailing '\' or '/'.
    void SetBase(int index, const std::wstring& path);
    std::wstring GetBase(int index) const;

    // base + '\' + path (base + path when path starts with '/') for a relative path of
    // more than 2 characters and a base that is set; any other path comes back as is.
    std::wstring Resolve(int index, const std::wstring& path) const;

private:
    std::wstring m_bases[kBaseCount];
};
