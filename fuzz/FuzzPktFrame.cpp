// Arbitrary bytes as one received frame: the header, then the arguments read by every
// incoming packet class registered, then the same bytes as a chat text record.
#include "messenger/protocol/chat/PktChatText.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktStreamReader.h"
#include "ux/core/UxText.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const PktFactory factory;
    static const std::vector<std::wstring> commands = factory.GetCommands();
    if (size > (1u << 20))
        return 0;
    const auto length = static_cast<uint32_t>(size);

    PktStreamReader reader(data, length);
    PktHeader header;
    header.Read(reader);
    const int64_t argsStart = reader.Tell();
    for (const std::wstring& command : commands) {
        std::unique_ptr<PktIn> packet = factory.Create(command, header.GetTransactionId());
        reader.Seek(argsStart, 0);
        packet->Parse(reader);
    }

    // Both word modes and every reading operation, without and with decoding.
    for (int mode = 0; mode < 2; ++mode) {
        PktStreamReader words(data, length);
        words.SetWordMode(mode);
        words.SetDecode(mode == 0);
        std::wstring text;
        int32_t value = 0;
        int16_t shortValue = 0;
        uint16_t port = 0;
        uint32_t count = 0;
        std::string bytes;
        while (words.GetRemaining()) {
            words.ReadWord(text);
            words.ReadInt(value);
            words.ReadInt16(shortValue);
            words.ReadUInt16(port);
            words.ReadCount(count);
            words.ReadBytes(count % 64, bytes);
            words.ReadLine(text);
        }
        words.ReadToEnd(text);
    }

    std::wstring font, message;
    uint32_t colour = 0;
    int32_t style = 0;
    ParseChatText(
        FromUtf8(std::string(reinterpret_cast<const char*>(data), size)), font, colour, style, message);
    return 0;
}
