#include "ux/core/UxPath.h"

#include "platform/system/FileSystem.h"
#include "platform/system/Shell.h"
#include "platform/system/SystemMetrics.h"
#include "platform/system/Time.h"

#include <algorithm>

std::wstring GetModuleDirectory()
{
    std::wstring file = plat::GetModuleFileName();
    size_t slash = file.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : file.substr(0, slash + 1);
}

void SplitPath(const std::wstring& path, std::wstring* drive, std::wstring* directory, std::wstring* name,
    std::wstring* extension)
{
    if (path.size() < 2)
        return;
    size_t driveEnd = path[1] == L':' ? 2 : 0;
    size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos)
        slash = path.rfind(L'/');
    size_t dirEnd = slash == std::wstring::npos ? driveEnd : std::max(slash + 1, driveEnd);
    // Only a dot in the last component starts an extension ("a.b\c" has none).
    size_t dot = path.rfind(L'.');
    if (dot != std::wstring::npos && dot < dirEnd)
        dot = std::wstring::npos;
    if (drive)
        *drive = path.substr(0, driveEnd);
    if (directory)
        *directory = path.substr(driveEnd, dirEnd - driveEnd);
    if (dot == std::wstring::npos) {
        if (name)
            *name = path.substr(dirEnd);
        return;
    }
    if (name)
        *name = path.substr(dirEnd, dot - dirEnd);
    if (extension)
        *extension = path.substr(dot);
}

std::wstring GetFileExtension(const std::wstring& path)
{
    std::wstring extension;
    SplitPath(path, nullptr, nullptr, nullptr, &extension);
    return extension;
}

void ShellOpen(const std::wstring& target, std::function<void(bool opened)> done)
{
    plat::ShellOpen(target, std::move(done));
}

int GetScreenWidth()
{
    return plat::GetSystemMetrics(plat::SM_CXSCREEN);
}

int GetScreenHeight()
{
    return plat::GetSystemMetrics(plat::SM_CYSCREEN);
}

int GetTitleBarHeight()
{
    return plat::GetSystemMetrics(plat::SM_CYCAPTION) + plat::GetSystemMetrics(plat::SM_CYDLGFRAME);
}

void SleepMs(int ms)
{
    plat::Sleep(ms);
}
