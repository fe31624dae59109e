#include "ux/net/UxHttpBody.h"

#include "platform/system/Utf8.h"
#include "ux/net/UxHttpHead.h"

#include <algorithm>
#include <cwctype>

namespace {

// A decimal length made of digits only; false for anything else or past 2^53.
bool ParseLength(const std::wstring& text, size_t& value)
{
    if (text.empty() || text.size() > 15)
        return false;
    value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return false;
        value = value * 10 + static_cast<size_t>(c - L'0');
    }
    return true;
}

// One chunk size line from line to its "\r\n" (length bytes, without them): hex digits,
// then blanks or extensions after ';'.
bool ParseChunkSize(const uint8_t* line, size_t length, size_t& value)
{
    size_t i = 0;
    value = 0;
    for (; i < length && plat::HexDigitValue(line[i]) >= 0; ++i) {
        if (i == 15)
            return false;
        value = value * 16 + static_cast<size_t>(plat::HexDigitValue(line[i]));
    }
    if (i == 0)
        return false;
    while (i < length && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return i == length || line[i] == ';';
}

UxHttpBody::Result ReadChunks(const uint8_t* body, size_t size, std::string& decoded)
{
    size_t pos = 0;
    for (;;) {
        const size_t searched = std::min(size - pos, UxHttpBody::kMaxChunkLine + 2);
        const uint8_t* line = body + pos;
        const uint8_t* end = nullptr;
        for (size_t i = 0; i + 1 < searched && !end; ++i)
            if (line[i] == '\r' && line[i + 1] == '\n')
                end = line + i;
        if (!end)
            return searched < UxHttpBody::kMaxChunkLine + 2 ? UxHttpBody::Cut : UxHttpBody::Malformed;
        size_t chunk = 0;
        if (!ParseChunkSize(line, static_cast<size_t>(end - line), chunk))
            return UxHttpBody::Malformed;
        pos += static_cast<size_t>(end - line) + 2;
        // The last chunk declares the end; trailers after it are not read.
        if (chunk == 0)
            return UxHttpBody::Whole;
        if (size - pos < chunk || size - pos - chunk < 2)
            return UxHttpBody::Cut;
        if (body[pos + chunk] != '\r' || body[pos + chunk + 1] != '\n')
            return UxHttpBody::Malformed;
        decoded.append(reinterpret_cast<const char*>(body + pos), chunk);
        pos += chunk + 2;
    }
}

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return text;
}

} // namespace

UxHttpBody::Result UxHttpBody::Read(
    const uint8_t* response, size_t responseSize, std::string& decoded, const uint8_t** data, size_t* size)
{
    decoded.clear();
    const size_t headEnd = UxHttpHead::FindEnd(response, responseSize);
    if (headEnd == UxHttpHead::npos)
        return Malformed;
    const uint8_t* body = response + headEnd + 4;
    const size_t bodySize = responseSize - headEnd - 4;
    const size_t headSize = headEnd + 4;

    // A transfer coding decides over any length (and only chunks are understood).
    const std::wstring coding = UxHttpHead::GetHeader(response, headSize, L"Transfer-Encoding", 0);
    if (!coding.empty()) {
        if (Lower(coding) != L"chunked")
            return Malformed;
        const Result result = ReadChunks(body, bodySize, decoded);
        if (result == Whole) {
            *data = reinterpret_cast<const uint8_t*>(decoded.data());
            *size = decoded.size();
        }
        return result;
    }

    const std::wstring announced = UxHttpHead::GetHeader(response, headSize, L"Content-Length", 0);
    if (announced.empty()) {
        *data = body;
        *size = bodySize;
        return Undeclared;
    }
    size_t length = 0;
    const std::wstring again = UxHttpHead::GetHeader(response, headSize, L"Content-Length", 1);
    if (!ParseLength(announced, length) || (!again.empty() && again != announced))
        return Malformed;
    if (bodySize < length)
        return Cut;
    if (bodySize > length)
        return Malformed;
    *data = body;
    *size = bodySize;
    return Whole;
}

const wchar_t* UxHttpBody::Describe(Result result)
{
    switch (result) {
    case Whole:
        return L"whole";
    case Undeclared:
        return L"ended by the server's close";
    case Cut:
        return L"cut before its declared end";
    default:
        return L"not framed as its head says";
    }
}
