#include "messenger/protocol/login/PktInLin2.h"

#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktKeywords.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInLin2>({ L"LIN2" });

} // namespace

bool PktInLin2::ReadArgs(PktStreamReader& reader)
{
    uint32_t count = 0;
    reader.ReadCount(count);
    std::string bytes;
    const bool whole = reader.ReadBytes(count, bytes);
    PktStreamReader payload(bytes.data(), static_cast<uint32_t>(bytes.size()));
    std::wstring word;
    payload.ReadWord(word);
    AccountKind = ParseAccountKind(word);
    payload.ReadWord(word);
    AccountFlag = ParseOneZero(word);
    for (std::wstring& text : Profile)
        payload.ReadWord(text);
    payload.ReadWord(word);
    YesFlag = ParseYesNo(word);
    payload.ReadWord(WebTicket);
    payload.ReadWord(Text3);
    return whole;
}
