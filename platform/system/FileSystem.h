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

// The running program's file in designed form ("\usr\lib\quorix\quorix"); "" if unknown.
std::wstring GetModuleFileName();

} // namespace plat
