#pragma once

// The body of a whole HTTP response as its head frames it. A response is read until the
// server closes. A body whose head declares its end (a Content-Length, or chunks) is whole
// only when that end was reached; a body without either runs to the close, as HTTP/1.0
// allows, and is whole when the server closed in order (which the caller knows, see
// UxHttpClient::ClosedInOrder).

#include <cstddef>
#include <cstdint>
#include <string>

class UxHttpBody {
public:
    enum Result {
        Whole = 0,
        Undeclared = 1, // neither a length nor chunks: the body runs to the close
        Cut = 2, // fewer bytes than declared, or no last chunk
        Malformed = 3, // a framing that cannot be read, or more bytes than declared
    };

    // Chunk size lines longer than this are malformed.
    static constexpr size_t kMaxChunkLine = 1024;

    // response holds the head and all that followed it. When Whole or Undeclared, data
    // and size name the body: inside the response for a length or none, inside decoded
    // (filled here) for chunks.
    static Result Read(const uint8_t* response, size_t responseSize, std::string& decoded,
        const uint8_t** data, size_t* size);

    // What a result means, for traces.
    static const wchar_t* Describe(Result result);
};
