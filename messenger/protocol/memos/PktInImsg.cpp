#include "messenger/protocol/memos/PktInImsg.h"

#include "messenger/protocol/chat/PktChatText.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktNumbers.h"
#include "messenger/protocol/codec/PktStreamReader.h"
#include "messenger/protocol/memos/MemoBody.h"

#include <limits>

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInImsg>({ L"IMSG" });

int32_t ToInt(const std::wstring& text)
{
    return static_cast<int32_t>(
        ParseDecimal(text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

} // namespace

bool PktInImsg::ReadArgs(PktStreamReader& reader)
{
    const bool decode = reader.GetDecode();
    reader.SetDecode(true);
    std::wstring line;
    bool headerEnded = false;
    while (reader.ReadLine(line)) {
        if (line.empty()) {
            headerEnded = true;
            break;
        }
        const size_t colon = line.find(L':');
        if (colon != std::wstring::npos)
            ReadHeader(line.substr(0, colon), line.substr(colon + 1));
    }
    if (headerEnded) {
        reader.SetDecode(false);
        reader.ReadToEnd(Body);
    }
    reader.SetDecode(decode);
    return true;
}

void PktInImsg::ReadHeader(const std::wstring& key, const std::wstring& value)
{
    if (key == L"from")
        From = value;
    else if (key == L"ref") {
        References.clear();
        size_t start = 0;
        for (;;) {
            const size_t end = value.find(L';', start);
            if (References.size() == kMaxReferences)
                break;
            References.push_back(value.substr(start, end - start));
            if (end == std::wstring::npos)
                break;
            start = end + 1;
        }
    } else if (key == L"title")
        Title = value;
    else if (key == L"date")
        Date.Parse(value, L"yyyyMMddhhmmss");
    else if (key == L"confirm")
        Confirm = value == L"1";
    else if (key == L"cookie")
        Cookie = value;
    else if (key == L"session_id")
        SessionId = value;
    else if (key == L"uuid")
        Uuid = value;
    else if (key == L"event")
        Event = ParseMemoKind(value);
    else if (key == L"related")
        Related = value == L"Y";
    else if (key == L"font-name")
        FontName = value;
    else if (key == L"font-size")
        FontSize = ToInt(value);
    else if (key == L"font-color")
        FontColor = ParseColor(value);
    else if (key == L"font-style")
        FontStyle = static_cast<uint32_t>(ParseFontStyle(value));
    else if (key == L"contenttype")
        ContentType = ParseContentType(value);
    else if (key == L"length")
        Length = ToInt(value);
}
