#pragma once

#include <cstdint>
#include <string>

// Pieces of the message body's header lines shared by both directions (font styles
// are written and read as chat lines do).

// The IMSG event: why a memo was written. Words "NW", "FW", "RE", "AL"; 4 is unknown.
enum MemoEvent { MemoEventNew = 0, MemoEventForward = 1, MemoEventReply = 2, MemoEventReplyAll = 3 };
// The IMSG content type: words "text", "html", "rtf", "flsh"; 4 is unknown.
enum MemoContentType { MemoContentText = 0 };

// "#rrggbb" in lower-case hex; red is the lowest byte of the colour.
std::wstring FormatColor(uint32_t color);
// Reads "#" and three two-digit hex numbers, red first; 0 for pieces that are missing
// or not hex.
uint32_t ParseColor(const std::wstring& text);
