#pragma once

#include <cstdio>
#include <string>

namespace plat {

// Paths inside the program keep their designed form ("Image\Skin.dat"). Here, at the
// file boundary, '\' becomes '/', the text becomes UTF-8, and a component that does
// not exist as written is looked up without regard to case (skin files name their
// images in any case). Components that match nothing are kept as written, so a new
// file can be created in a folder found that way.
std::string NativePath(const std::wstring& path);

// The designed form of a native path: UTF-8 decoded, '/' written as '\'.
std::wstring DesignedPath(const std::string& native);

// fopen over NativePath.
FILE* OpenFile(const std::wstring& path, const char* mode);

// True when the file existed and was removed.
bool DeleteFile(const std::wstring& path);

// Writes the bytes to temporary, on disk, then renames it to path: path is either the
// whole new content or not there at all. Missing folders are made. False when a step
// failed; temporary is then removed and path left as it was.
bool WriteWholeFile(const std::wstring& path, const std::wstring& temporary, const void* data, size_t size);

// The user's home folder, native: $HOME, else the password database's; "" when neither.
std::string HomeFolder();

// An XDG base folder, native: the variable when it holds an absolute path, else the home
// folder with fallback ("/.cache"); "" without a home.
std::string XdgFolder(const char* variable, const char* fallback);

// The folder for what the program can make again, native: $XDG_CACHE_HOME/quorix, else
// ~/.cache/quorix; "" without a home. It may not exist yet.
std::string GetCacheFolder();

// Makes the folder and any missing ones above it (mode 0700); false when it is not a
// folder after.
bool MakeFolders(const std::string& native);

// Reads a file the program keeps for itself in a folder of its own (the cache folder):
// only a regular file owned by this user, in a folder owned by this user, of at most
// maxBytes. Anything else (a FIFO or device, also behind a link, someone else's file)
// is refused without waiting on it. False when refused or unreadable.
bool ReadOwnFile(const std::string& native, size_t maxBytes, std::string& content);

// The folder for files the program downloads, in designed form with a trailing '\':
// $XDG_DATA_HOME/quorix, else ~/.local/share/quorix. It may not exist yet.
std::wstring GetDataFolder();

// The running program's file in designed form ("\usr\lib\quorix\quorix"); "" if unknown.
std::wstring GetModuleFileName();

} // namespace plat
