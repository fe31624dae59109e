#pragma once

// Text at the program's edges: wide strings inside, UTF-8 on the wire, EUC-KR in old
// files; printf-style formatting and the debug trace.

#include <cstdarg>
#include <string>

// Format strings follow the program's own convention: %s and %c take wide arguments
// (wchar_t* and wchar_t); %hs and %hc take narrow ones. The result is cut at 8,191
// characters, the size of the trace buffer less its terminator.
constexpr size_t kUxFormatBufferSize = 8192;

std::wstring FormatString(const wchar_t* format, ...);
std::wstring FormatStringV(const wchar_t* format, va_list args);

// Formats like FormatString and writes the text to the debugger output.
void UxTrace(const wchar_t* format, ...);

// UTF-8 <-> wide. Invalid UTF-8 becomes U+FFFD; UTF-16 surrogate pairs held in a wide
// string are joined into one code point on the way out; lone surrogates become U+FFFD.
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

// Percent escaping. Mode 0 (URLs and form fields) escapes "% \t\r\n&+:;=?@<>#{}|\\^~[]`";
// mode 1 (wire arguments) escapes only "% \t\r\n". Escapes are "%" and two lower-case
// hex digits; everything else, non-ASCII included, is copied.
std::wstring UrlEncode(const std::wstring& text, int mode);

// Undoes the escaping: "%xx" becomes one character unless it is 0; "+" stays "+".
std::wstring UrlDecode(const std::wstring& text);
