#include "messenger/protocol/chat/PktHandlerCmsg.h"

#include "messenger/MessengerScreens.h"
#include "messenger/protocol/chat/PktInCmsg.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "ux/core/UxText.h"

#include <vector>

namespace {

[[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerCmsg>({ L"CMSG" });

// The alert naming the receivers a memo did not reach, and how many more there were.
std::wstring UndeliveredAlert(const std::vector<std::wstring>& ids, size_t leftOut)
{
    // The text stays within what a formatted text holds; ids that do not fit are counted
    // with the rest, so the count is never what gets cut.
    const size_t all = ids.size() + leftOut;
    const std::wstring widestCount = FormatString(L"\n외 %u명", static_cast<unsigned>(all));
    std::wstring text = L"다음의 사용자들이 쪽지를 받지 못 했습니다.\n\n";
    size_t listed = 0;
    for (const std::wstring& id : ids) {
        const size_t separator = listed ? 1 : 0;
        if (text.size() + separator + id.size() + widestCount.size() > kUxFormatBufferSize - 1)
            break;
        text += (separator ? L"\n" : L"") + id;
        ++listed;
    }
    if (listed < all)
        text += FormatString(L"%s외 %u명", listed ? L"\n" : L"", static_cast<unsigned>(all - listed));
    return text;
}

} // namespace

bool PktHandlerCmsg::Handle(TarvPeer* peer, PktIn& packet)
{
    if (!CheckResult(packet))
        return false;
    auto& message = static_cast<PktInCmsg&>(packet);
    if (message.IsAnswer) {
        if (message.Undelivered.empty())
            return true;
        if (MessengerScreens* screens = MessengerScreens::GetCurrent())
            screens->ShowMsgBox(UndeliveredAlert(message.Undelivered, message.UndeliveredLeftOut));
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
