#pragma once

#include "platform/system/Registry.h"
#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <string>

// Points the registry at a file of its own for as long as it lives (tests run in
// parallel and must never touch the user's settings).
class TempRegistry {
public:
    TempRegistry() { Use(); }
    ~TempRegistry() { unsetenv("QUORIX_REGISTRY"); }
    TempRegistry(const TempRegistry&) = delete;
    TempRegistry& operator=(const TempRegistry&) = delete;

    std::string Path() const { return m_folder.Native("config/registry"); }
    const TempFolder& Folder() const { return m_folder; }

    void Use() const { setenv("QUORIX_REGISTRY", Path().c_str(), 1); }

    // What a new process would see: any registry call under another path drops what
    // was loaded, so the next one reads the file again.
    void Restart() const
    {
        setenv("QUORIX_REGISTRY", m_folder.Native("elsewhere").c_str(), 1);
        plat::HKEY key = nullptr;
        if (plat::RegOpenKeyExW(plat::HKEY_CURRENT_USER, L"", plat::KEY_ALL_ACCESS, &key)
            == plat::ERROR_SUCCESS)
            plat::RegCloseKey(key);
        Use();
    }

private:
    TempFolder m_folder;
};
