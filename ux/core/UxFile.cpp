#include "ux/core/UxFile.h"

#include "platform/system/FileSystem.h"
#include "ux/core/UxFileReader.h"
#include "ux/core/UxText.h"

#include <cstring>
#include <vector>

int64_t GetFileLength(const std::wstring& path)
{
    UxFileReader file;
    if (!file.Open(path) || !file.Seek(0, 2))
        return 0;
    int64_t size = file.Tell();
    return size > 0 ? size : 0;
}

bool RemoveFile(const std::wstring& path)
{
    return plat::DeleteFile(path);
}

std::string ReadNarrowStream(UxInputStream& stream)
{
    constexpr uint32_t kChunk = 8191;
    std::string text;
    std::vector<char> buffer(kChunk + 1);
    for (;;) {
        std::fill(buffer.begin(), buffer.end(), '\0');
        stream.Read(buffer.data(), kChunk);
        if (stream.GetLastCount() == 0)
            break;
        text.append(buffer.data(), strnlen(buffer.data(), stream.GetLastCount()));
    }
    return text;
}

std::wstring ReadWideStream(UxInputStream& stream)
{
    constexpr uint32_t kChunkUnits = 8191;
    std::wstring text;
    std::vector<uint8_t> bytes(kChunkUnits * 2 + 4);
    std::vector<uint16_t> units;
    // Bytes held back for the next chunk: an odd byte and the high half of a pair.
    size_t carried = 0;
    for (;;) {
        stream.Read(bytes.data() + carried, kChunkUnits * 2);
        uint32_t got = stream.GetLastCount();
        if (got == 0)
            break;
        size_t total = carried + got;
        size_t count = total / 2;
        units.assign(count, 0);
        for (size_t i = 0; i < count; ++i)
            units[i] = static_cast<uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        size_t keep = count;
        if (keep > 0 && units[keep - 1] >= 0xD800 && units[keep - 1] <= 0xDBFF)
            --keep;
        size_t end = 0;
        while (end < keep && units[end] != 0)
            ++end;
        text += FromUtf16(units.data(), end);
        // A zero unit ends this chunk's text, a held-back half included.
        size_t from = end < keep ? count * 2 : keep * 2;
        carried = total - from;
        std::memmove(bytes.data(), bytes.data() + from, carried);
    }
    if (carried >= 2) {
        // A high surrogate at the very end of the file.
        uint16_t last = static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
        text += FromUtf16(&last, 1);
    }
    return text;
}

std::wstring ReadTextStream(UxInputStream& stream)
{
    uint8_t mark[3];
    if (!stream.Read(mark, 3))
        return std::wstring();
    if (mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF)
        return FromUtf8(ReadNarrowStream(stream));
    if (mark[0] == 0xFF && mark[1] == 0xFE) {
        stream.Seek(-1, 1);
        return ReadWideStream(stream);
    }
    stream.Seek(-3, 1);
    return ToWide(ReadNarrowStream(stream));
}

std::wstring ReadTextFile(const std::wstring& path)
{
    UxFileReader file;
    if (!file.Open(path))
        return std::wstring();
    return ReadTextStream(file);
}

std::wstring ReadUtf16File(const std::wstring& path)
{
    UxFileReader file;
    if (!file.Open(path))
        return std::wstring();
    return ReadWideStream(file);
}

std::string ReadBytesFile(const std::wstring& path)
{
    UxFileReader file;
    if (!file.Open(path))
        return std::string();
    return ReadNarrowStream(file);
}
