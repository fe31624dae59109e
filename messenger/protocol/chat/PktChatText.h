#pragma once

#include <cstdint>
#include <string>

// Font style bits: 1 bold "B", 2 italic "I", 4 underline "U", 8 strike-out "S".
int32_t ParseFontStyle(const std::wstring& text);
std::wstring FontStyleToString(int32_t style);

// The text of a chat line: font, colour, style letters and the message, separated by
// TABs. An empty font and an empty style are written "0"; the message may hold anything,
// TABs included.
std::wstring BuildChatText(
    const std::wstring& font, uint32_t colour, int32_t style, const std::wstring& text);
bool ParseChatText(
    const std::wstring& record, std::wstring& font, uint32_t& colour, int32_t& style, std::wstring& text);
