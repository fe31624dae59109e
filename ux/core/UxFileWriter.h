#pragma once

#include "ux/core/UxStream.h"

#include <cstdio>
#include <string>

// Writes a file through one standard I/O handle; the destructor closes it.
class UxFileWriter : public UxOutputStream {
public:
    UxFileWriter() = default;
    ~UxFileWriter() override;
    UxFileWriter(const UxFileWriter&) = delete;
    UxFileWriter& operator=(const UxFileWriter&) = delete;

    // Mode 0 creates or truncates, 1 appends, closing a file already open. Any other
    // mode opens nothing and tells whether a file is already open.
    bool Open(const std::wstring& path, int mode);
    bool IsOpen() const { return m_file != nullptr; }

    // An origin other than 0-2 returns true without moving.
    bool Seek(int64_t offset, int origin) override;
    int64_t Tell() override;
    // True when all count bytes were written; 0 bytes is true without writing.
    bool Write(const void* data, uint32_t count) override;

private:
    FILE* m_file = nullptr;
};
