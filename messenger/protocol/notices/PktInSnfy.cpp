#include "messenger/protocol/notices/PktInSnfy.h"

#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktStreamReader.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInSnfy>({ L"SNFY" });

} // namespace

bool PktInSnfy::ReadArgs(PktStreamReader& reader)
{
    for (std::wstring* text : { &Text1, &Text2, &Text3 }) {
        reader.ReadWord(*text);
        if (text->size() > kMaxText)
            text->resize(kMaxText);
    }
    return true;
}
