#pragma once

// Text at the program's edges: wide strings inside, UTF-8 on the wire, EUC-KR in old
// files; printf-style formatting and the debug trace.

#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

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

// One KS X 1001 double-byte code (lead byte high, trail byte low) to a UTF-16 unit;
// 0 when the code is invalid or unmapped.
uint16_t KsX1001ToUnicode(uint16_t code);

// EUC-KR bytes (up to the first zero byte) to wide. A byte with the top bit set takes
// the next one as its trail; a pair that does not map gives U+0000 in the result, and
// a lead byte at the very end is dropped.
std::wstring ToWide(const std::string& narrow);

// Wide to the system code page, which is EUC-KR on the device this program was made
// for; characters without a code become '?'.
std::string ToNarrow(const std::wstring& wide);

// UTF-16 units <-> wide. Surrogate pairs join into one character; lone surrogates
// become U+FFFD.
std::wstring FromUtf16(const uint16_t* units, size_t count);
std::u16string ToUtf16(const std::wstring& text);
// One character's units at the end of out; one that is no character becomes U+FFFD.
void AppendUtf16(std::u16string& out, char32_t c);

// Reads an unsigned hex number as "%x" does (0 when nothing parses); "%02x" of a value.
uint32_t ParseHex(const std::wstring& text);
std::wstring ToHex2(uint32_t value);
// The value of one hex digit of either case; -1 for any other character.
int HexDigit(wchar_t c);

// Case-insensitive search. A match that follows a mismatch is reported one character
// early, at the last mismatching character; a match at the start is reported at the
// start. Callers that take a prefix rely on this. The narrow form searches the first
// length bytes of text, or up to its terminator when length is negative.
const wchar_t* FindNoCase(const wchar_t* text, const wchar_t* pattern);
const char* FindNoCase(const char* text, const char* pattern, int length = -1);

// Replaces every occurrence of find; the search goes on after each inserted text, so a
// replacement that contains find is fine. An empty find changes nothing.
void ReplaceAll(std::wstring& text, const std::wstring& find, const std::wstring& replacement);

std::wstring ToLower(const std::wstring& text);

// Remove leading, trailing or both runs of space, TAB, CR and LF.
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);
std::string Trim(const std::string& text);
std::wstring TrimLeft(const std::wstring& text);
std::wstring TrimRight(const std::wstring& text);
std::wstring Trim(const std::wstring& text);

// The separator goes before an item only when the text built so far is not empty.
std::wstring JoinStrings(const std::vector<std::wstring>& items, const std::wstring& separator);

// Pieces between any of the delimiter characters; empty pieces count, and there is
// always at least one piece.
std::vector<std::wstring> SplitString(const std::wstring& text, const std::wstring& delimiters);

// The first network adapter's hardware address as lower-case hex: 12 digits when
// separator is 0, else six groups with the separator between them; "" without one.
std::wstring GetMacAddressString(wchar_t separator);
