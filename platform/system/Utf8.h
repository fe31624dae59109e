#pragma once

#include <string>

namespace plat {

// UTF-8 <-> wide. Invalid UTF-8 becomes U+FFFD (one per maximal invalid prefix);
// UTF-16 surrogate pairs held in a wide string are joined into one code point on the
// way out; lone surrogates become U+FFFD.
std::string EncodeUtf8(const std::wstring& text);

// The code point at text[i], joining a surrogate pair (i then moves past both halves)
// and giving U+FFFD for a lone surrogate or a value beyond U+10FFFF.
char32_t NextCodePoint(const std::wstring& text, size_t& i);
std::wstring DecodeUtf8(const std::string& text);
// The same into out (replacing what it held), for callers that reuse one string.
void DecodeUtf8(const char* text, size_t size, std::wstring& out);

// The value of a hexadecimal digit of either case; -1 for any other character.
int HexDigitValue(int c);

} // namespace plat
