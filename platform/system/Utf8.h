#pragma once

#include <string>

namespace plat {

// UTF-8 <-> wide. Invalid UTF-8 becomes U+FFFD (one per maximal invalid prefix);
// UTF-16 surrogate pairs held in a wide string are joined into one code point on the
// way out; lone surrogates become U+FFFD.
std::string EncodeUtf8(const std::wstring& text);
std::wstring DecodeUtf8(const std::string& text);

} // namespace plat
