#pragma once

// Whole-file routines. Paths are wide, in designed form; a file that cannot be opened
// gives the empty result.

#include "ux/core/UxStream.h"

#include <cstdint>
#include <string>

// Size in bytes; 0 when the file cannot be opened.
int64_t GetFileLength(const std::wstring& path);

// True when the file was removed.
bool RemoveFile(const std::wstring& path);

// Text by byte-order mark: EF BB BF is UTF-8, FF FE is UTF-16LE, anything else EUC-KR.
// A file of fewer than 3 bytes reads as "".
std::wstring ReadTextFile(const std::wstring& path);
// The same decision over a stream positioned at the first byte.
std::wstring ReadTextStream(UxInputStream& stream);

// The whole file as UTF-16LE, no mark expected.
std::wstring ReadUtf16File(const std::wstring& path);

// The whole file's bytes (up to the first zero byte of each 8,191-byte chunk).
std::string ReadBytesFile(const std::wstring& path);

// Chunked readers: each chunk's text ends at its first zero byte (narrow) or zero
// UTF-16 unit (wide). The wide reader never splits a surrogate pair between chunks.
std::string ReadNarrowStream(UxInputStream& stream);
std::wstring ReadWideStream(UxInputStream& stream);
