#pragma once

// Path routines over designed paths ("\Program Files\App\Image\Skin.dat"), and the
// little the program asks of the system: the screen, sleeping, opening with the shell.

#include <functional>
#include <string>

// The running program's folder with its trailing '\'.
std::wstring GetModuleDirectory();

// Splits a path into drive ("C:"), directory (up to and including the last '\', or the
// last '/' when there is none), name and extension (from the last '.' of the name, dot
// included). Each output may be null. Paths shorter than 2 characters fill nothing;
// without an extension the extension output is left untouched.
void SplitPath(const std::wstring& path, std::wstring* drive, std::wstring* directory, std::wstring* name,
    std::wstring* extension);

// The extension including its dot, "" when there is none.
std::wstring GetFileExtension(const std::wstring& path);

// Opens a file or URL with the desktop's handler without waiting for it. done, when
// given, later hears from the message loop whether the handler took the target (false
// also when it could not be started); it is never called within this call.
void ShellOpen(const std::wstring& target, std::function<void(bool opened)> done = {});

int GetScreenWidth();
int GetScreenHeight();
// Caption plus dialog frame above the program's window (0 on the desktop).
int GetTitleBarHeight();

void SleepMs(int ms);
