#include "messenger/protocol/chat/PktChatText.h"

#include "messenger/protocol/codec/PktStreamReader.h"
#include "ux/core/UxText.h"

namespace {

const wchar_t kStyleLetters[] = L"BIUS";

} // namespace

int32_t ParseFontStyle(const std::wstring& text)
{
    int32_t style = 0;
    for (int bit = 0; bit < 4; ++bit) {
        if (text.find(kStyleLetters[bit]) != std::wstring::npos)
            style |= 1 << bit;
    }
    return style;
}

std::wstring FontStyleToString(int32_t style)
{
    std::wstring letters;
    for (int bit = 0; bit < 4; ++bit) {
        if (style & (1 << bit))
            letters += kStyleLetters[bit];
    }
    return letters;
}

std::wstring BuildChatText(const std::wstring& font, uint32_t colour, int32_t style, const std::wstring& text)
{
    std::wstring letters = FontStyleToString(style);
    std::wstring record = font.empty() ? L"0" : font;
    record += L'\t';
    record += std::to_wstring(colour);
    record += L'\t';
    record += letters.empty() ? L"0" : letters;
    record += L'\t';
    record += text;
    return record;
}

bool ParseChatText(
    const std::wstring& record, std::wstring& font, uint32_t& colour, int32_t& style, std::wstring& text)
{
    std::string bytes = ToUtf8(record);
    PktStreamReader reader(bytes.data(), static_cast<uint32_t>(bytes.size()));
    reader.SetWordMode(PktStreamReader::WordModeTab);
    int32_t value = 0;
    std::wstring letters;
    reader.ReadWord(font);
    reader.ReadInt(value);
    reader.ReadWord(letters);
    // The message is taken as it stands: a "%" typed by the user is not an escape.
    reader.SetDecode(false);
    reader.ReadToEnd(text);
    colour = static_cast<uint32_t>(value);
    style = ParseFontStyle(letters);
    return true;
}
