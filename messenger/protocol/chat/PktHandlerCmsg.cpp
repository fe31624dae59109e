#include "messenger/protocol/chat/PktHandlerCmsg.h"

#include "messenger/MessengerScreens.h"
#include "messenger/protocol/chat/PktInCmsg.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "ux/core/UxText.h"

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerCmsg>({ L"CMSG" });

} // namespace

bool PktHandlerCmsg::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    auto& message = static_cast<PktInCmsg&>(packet);
    if (message.IsAnswer) {
        if (message.Undelivered.empty())
            return true;
        std::wstring ids;
        for (const std::wstring& id : message.Undelivered)
            ids += (ids.empty() ? L"" : L"\n") + id;
        if (message.UndeliveredLeftOut)
            ids += FormatString(L"\n외 %u명", static_cast<unsigned>(message.UndeliveredLeftOut));
        if (MessengerScreens* screens = MessengerScreens::GetCurrent())
            screens->ShowMsgBox(
                FormatString(L"다음의 사용자들이 쪽지를 받지 못 했습니다.\n\n%s", ids.c_str()));
        return true;
    }
    // Other users can send only memos this way.
    if (message.InnerCommand != L"IMSG") {
        UxTrace(L"PktHandlerCmsg::Handle, \"%s\" from %s is dropped.\n", message.InnerCommand.c_str(),
            message.Sender.c_str());
        return false;
    }
    if (peer)
        peer->OnPacket(
            reinterpret_cast<const uint8_t*>(message.Inner.data()), static_cast<int>(message.Inner.size()));
    return true;
}
