#pragma once

// The default skin for the fuzz targets: its folder in the source tree, and its pictures
// decoded once and kept in the image pool for the whole run, so that the widgets of every
// input find them there instead of decoding them again.

#include "platform/system/FileSystem.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceImagePool.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// skin/ of the source tree in designed form; QUORIX_SOURCE_DIR names another tree.
inline std::wstring DefaultSkinFolder()
{
    const char* source = std::getenv("QUORIX_SOURCE_DIR");
    return plat::DesignedPath(std::string(source && *source ? source : QUORIX_FUZZ_SOURCE_DIR) + "/skin");
}

// The image folder (base 0) and the program folder (base 2, where "Image\Skin.dat" is
// found) become the default skin's; every picture of its image folder is loaded, in name
// order, and never given back.
inline void UseDefaultSkin(UxPathResolver& resolver, UxDeviceImagePool& pool)
{
    const std::wstring folder = DefaultSkinFolder();
    resolver.SetBase(0, folder + L"\\Image\\");
    resolver.SetBase(2, folder + L"\\");
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(plat::NativePath(folder + L"\\Image"), error)) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".png" || extension == ".gif" || extension == ".bmp" || extension == ".jpg")
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        UxDeviceImageInfo picture;
        picture.FileName = FromUtf8(name);
        pool.Load(picture);
    }
}
