#pragma once

#include "ux/core/UxStream.h"

#include <cstdint>
#include <string>

// Takes wire lines apart. It reads only inside the block it is attached to (one frame):
// past the end every word is empty and every number 0.
class PktStreamReader : public UxMemoryStream {
public:
    // 0: a word ends at space, TAB or LF. 1: only TAB or LF end it (spaces belong to it).
    enum WordMode { WordModeSpace = 0, WordModeTab = 1 };

    PktStreamReader() = default;
    PktStreamReader(const void* data, uint32_t size)
        : UxMemoryStream(data, size)
    {
    }

    void SetWordMode(int mode) { m_wordMode = mode; }
    int GetWordMode() const { return m_wordMode; }
    // When set (the default) texts are percent-decoded after the UTF-8 conversion.
    void SetDecode(bool decode) { m_decode = decode; }
    bool GetDecode() const { return m_decode; }

    // Each returns false when the reader was already exhausted (the text is then empty).
    // CR bytes are dropped wherever they stand; the delimiter is consumed.
    bool ReadWord(std::wstring& text);
    bool ReadLine(std::wstring& text);
    bool ReadToEnd(std::wstring& text);

    // Decimal words; values beyond the type saturate, a word that is not a number is 0.
    bool ReadInt(int32_t& value);
    bool ReadInt16(int16_t& value);
    // Port numbers: 0 to 65535.
    bool ReadUInt16(uint16_t& value);
    // A payload byte count: negative counts read as 0.
    bool ReadCount(uint32_t& count);

    // Takes count raw bytes from the current position; fewer when the frame ends
    // first, and then false.
    bool ReadBytes(uint32_t count, std::string& bytes);

private:
    template <typename T> bool ReadNumber(T& value, int64_t minimum, int64_t maximum);
    bool ReadUntil(bool stopAtSpace, bool stopAtTab, bool stopAtLf, std::wstring& text);
    // The bytes [from, to) as text, into text; dropCr leaves the frame's carriage returns
    // out.
    void Convert(const uint8_t* from, const uint8_t* to, bool dropCr, std::wstring& text) const;

    int m_wordMode = WordModeSpace;
    bool m_decode = true;
};
