#include "messenger/protocol/chat/PktInCmsg.h"

#include "messenger/protocol/chat/ChatHandling.h"
#include "messenger/protocol/chat/PktInnerFrame.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktStreamReader.h"
#include "messenger/protocol/connection/PktPendingList.h"
#include "messenger/protocol/memos/PktInImsg.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInCmsg>({ L"CMSG" });

} // namespace

bool PktInCmsg::ReadArgs(PktStreamReader& reader)
{
    const PktPendingList* pending = PktPendingList::GetInstance();
    IsAnswer = GetTransactionId() != 0 && pending && pending->Find(GetTransactionId());
    uint32_t count = 0;
    if (IsAnswer) {
        reader.ReadCount(count);
        std::wstring id;
        // Ids are separated by spaces or line ends; runs of them make no empty id.
        while (reader.ReadWord(id)) {
            if (id.empty())
                continue;
            if (Undelivered.size() < PktInImsg::kMaxReferences)
                Undelivered.push_back(id.substr(0, kMaxChatIdLength));
            else
                ++UndeliveredLeftOut;
        }
        return true;
    }
    reader.ReadWord(Sender);
    reader.ReadCount(count);
    return ReadInnerFrame(reader, count, InnerCommand, Inner);
}
