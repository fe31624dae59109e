#pragma once

#include "ux/core/UxStream.h"

#include <cstdint>
#include <string>

// Builds wire lines: words separated by one space, each escaped and UTF-8 encoded,
// lines ended by CR LF. Payload bytes go through the inherited Write unchanged.
class PktStreamWriter : public UxMemoryWriter {
public:
    // Escapes "%", space, TAB, CR and LF; an empty text becomes "%00" so that every
    // argument stays one word. A space goes before the word unless it starts a line.
    void WriteArg(const std::wstring& text);
    void WriteInt(int32_t value);
    void WriteUInt(uint32_t value);
    void EndLine();
    // Ends a payload command's line: the byte count as its last word, the line end,
    // then the bytes unchanged.
    void WritePayload(const void* data, size_t size);

    // The message-body header lines put key and value next to each other ("from:x"):
    // while suppressed, WriteArg adds no separator.
    void SetSeparatorSuppressed(bool suppressed) { m_noSeparator = suppressed; }

    std::string ToString() const
    {
        return std::string(reinterpret_cast<const char*>(m_bytes.data()), m_bytes.size());
    }

private:
    void WriteWord(const std::string& bytes);

    bool m_noSeparator = false;
};
