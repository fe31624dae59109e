#include "messenger/protocol/buddies/PktBuddyWords.h"

#include "messenger/protocol/codec/PktStreamReader.h"

std::wstring BoundBuddyText(const std::wstring& text)
{
    return text.size() > kMaxBuddyText ? text.substr(0, kMaxBuddyText) : text;
}

void ReadBuddyText(PktStreamReader& reader, std::wstring& text)
{
    reader.ReadWord(text);
    if (text.size() > kMaxBuddyText)
        text.resize(kMaxBuddyText);
}

void ReadBuddyId(PktStreamReader& reader, std::wstring& id)
{
    reader.ReadWord(id);
    if (id.size() > kMaxBuddyText)
        id.clear();
}
