#include "ux/net/UxHttpBody.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Read {
    UxHttpBody::Result result;
    std::string body;
};

Read ReadBody(const std::string& head, const std::string& body)
{
    const std::string response = "HTTP/1.0 200 OK\r\n" + head + "\r\n" + body;
    std::string decoded;
    const uint8_t* data = nullptr;
    size_t size = 0;
    const UxHttpBody::Result result = UxHttpBody::Read(
        reinterpret_cast<const uint8_t*>(response.data()), response.size(), decoded, &data, &size);
    return { result, data ? std::string(reinterpret_cast<const char*>(data), size) : "<none>" };
}

void Expect(const Read& read, UxHttpBody::Result result, const std::string& body = "<none>")
{
    EXPECT_EQ(read.result, result);
    EXPECT_EQ(read.body, body);
}

} // namespace

TEST(UxHttpBody, ALengthIsWholeOnlyWhenExactlyReached)
{
    Expect(ReadBody("Content-Length: 5\r\n", "hello"), UxHttpBody::Whole, "hello");
    Expect(ReadBody("content-length:0\r\n", ""), UxHttpBody::Whole, "");
    Expect(ReadBody("Content-Length: 6\r\n", "hello"), UxHttpBody::Cut);
    Expect(ReadBody("Content-Length: 4\r\n", "hello"), UxHttpBody::Malformed);
    // Only digits, and one length.
    for (const char* length : { "5x", "-5", "+5", "0x5", "5 5", "1234567890123456" })
        Expect(ReadBody(std::string("Content-Length: ") + length + "\r\n", "hello"), UxHttpBody::Malformed);
    Expect(ReadBody("Content-Length: 5\r\nContent-Length: 6\r\n", "hello"), UxHttpBody::Malformed);
    Expect(ReadBody("Content-Length: 5\r\nContent-Length: 5\r\n", "hello"), UxHttpBody::Whole, "hello");
    // Without either, the body runs to the close.
    Expect(ReadBody("Content-Type: text/plain\r\n", "hello"), UxHttpBody::Undeclared, "hello");
    Expect(ReadBody("", ""), UxHttpBody::Undeclared, "");
}

TEST(UxHttpBody, ChunksAreWholeUpToTheLastOne)
{
    const std::string chunked = "Transfer-Encoding: chunked\r\nContent-Length: 3\r\n";
    Expect(ReadBody(chunked, "5\r\nhello\r\nA;name=x\r\n, world!!!\r\n0\r\nTrailer: t\r\n\r\n"),
        UxHttpBody::Whole, "hello, world!!!");
    Expect(ReadBody("Transfer-Encoding: Chunked\r\n", "0\r\n"), UxHttpBody::Whole, "");
    Expect(ReadBody(chunked, "5 \r\nhello\r\n0\r\n\r\n"), UxHttpBody::Whole, "hello");
    // Cut: anywhere before the last chunk's line ends.
    for (const char* cut :
        { "", "5", "5\r\nhel", "5\r\nhello", "5\r\nhello\r", "5\r\nhello\r\n", "5\r\nhello\r\n0" })
        Expect(ReadBody(chunked, cut), UxHttpBody::Cut);
    // Sizes and line ends that are not there, and codings not understood.
    const std::string malformed[] = { "x\r\n", "\r\n", "5x\r\nhello\r\n0\r\n", "5\r\nhelloXY0\r\n\r\n",
        "-1\r\n", "1000000000000000\r\n", std::string(UxHttpBody::kMaxChunkLine + 1, '0') + "\r\n" };
    for (const std::string& body : malformed)
        Expect(ReadBody(chunked, body), UxHttpBody::Malformed);
    Expect(ReadBody("Transfer-Encoding: gzip, chunked\r\n", "0\r\n\r\n"), UxHttpBody::Malformed);
    // A chunk larger than what came is cut, whatever its size says.
    Expect(ReadBody(chunked, "FFFFFFFFFFFFFFF\r\nabc"), UxHttpBody::Cut);
}
