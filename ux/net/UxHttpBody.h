#pragma once

// The body of a whole HTTP response as its head frames it. A response is read until the
// server closes, and a close alone says nothing of whether all was sent: only a body whose
// end its head declared (a Content-Length reached, or chunks up to the last one) is whole.

#include <cstddef>
#include <cstdint>
#include <string>

class UxHttpBody {
public:
    enum Result {
        Whole = 0,
        Undeclared = 1, // neither a length nor chunks: the close may have cut it
        Cut = 2, // fewer bytes than declared, or no last chunk
        Malformed = 3, // a framing that cannot be read, or more bytes than declared
    };

    // Chunk size lines longer than this are malformed.
    static constexpr size_t kMaxChunkLine = 1024;

    // response holds the head and all that followed it. When Whole, data and size name
    // the body: inside the response for a length, inside decoded (filled here) for chunks.
    static Result Read(const uint8_t* response, size_t responseSize, std::string& decoded,
        const uint8_t** data, size_t* size);

    // What a result means, for traces.
    static const wchar_t* Describe(Result result);
};
