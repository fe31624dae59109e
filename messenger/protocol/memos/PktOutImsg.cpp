#include "messenger/protocol/memos/PktOutImsg.h"

#include "messenger/protocol/chat/PktChatText.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/memos/MemoBody.h"
#include "ux/core/UxText.h"

namespace {

void WriteHeader(PktStreamWriter& writer, const wchar_t* key, const std::wstring& value)
{
    const std::string raw = ToUtf8(key);
    writer.Write(raw.data(), static_cast<uint32_t>(raw.size()));
    writer.WriteArg(value);
    writer.EndLine();
}

} // namespace

bool PktOutImsg::WriteArgs(PktStreamWriter& writer)
{
    const std::string body = ToUtf8(Body);
    std::wstring references;
    for (size_t i = 0; i < References.size(); ++i)
        references += (i ? L";" : L"") + References[i];

    writer.EndLine();
    writer.SetSeparatorSuppressed(true);
    WriteHeader(writer, L"from:", From);
    WriteHeader(writer, L"ref:", references);
    WriteHeader(writer, L"title:", Title);
    WriteHeader(writer, L"confirm:", Confirm ? L"1" : L"0");
    WriteHeader(writer, L"date:", Date.Format(L"yyyyMMddhhmmss"));
    WriteHeader(writer, L"event:", MemoKindToText(Event));
    if (Event != MemoEventNew)
        WriteHeader(writer, L"cookie:", Cookie);
    WriteHeader(writer, L"font-name:", FontName);
    WriteHeader(writer, L"font-size:", std::to_wstring(FontSize));
    WriteHeader(writer, L"font-color:", FormatColor(FontColor));
    WriteHeader(writer, L"font-style:", FontStyleToString(static_cast<int32_t>(FontStyle)));
    WriteHeader(writer, L"contenttype:", ContentTypeToText(ContentType));
    WriteHeader(writer, L"length:", std::to_wstring(body.size()));
    writer.SetSeparatorSuppressed(false);
    writer.EndLine();
    if (!body.empty())
        writer.Write(body.data(), static_cast<uint32_t>(body.size()));
    return true;
}
