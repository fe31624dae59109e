#pragma once

#include "ux/core/UxStream.h"

#include <cstdio>
#include <string>

// Reads a file through one standard I/O handle; the destructor closes it.
class UxFileReader : public UxInputStream {
public:
    UxFileReader() = default;
    ~UxFileReader() override;
    UxFileReader(const UxFileReader&) = delete;
    UxFileReader& operator=(const UxFileReader&) = delete;

    // Opens the file for reading in binary mode, closing one already open.
    bool Open(const std::wstring& path);
    bool IsOpen() const { return m_file != nullptr; }

    // An origin other than 0-2 returns true without moving.
    bool Seek(int64_t offset, int origin) override;
    int64_t Tell() override;
    bool Read(void* buffer, uint32_t count) override;

private:
    FILE* m_file = nullptr;
};

namespace ux_detail {
// The seek both file streams share: fseeko with SEEK_SET/SEEK_CUR/SEEK_END.
bool SeekFile(FILE* file, int64_t offset, int origin);
}
