#include "messenger/protocol/codec/PktFactory.h"

#include "messenger/protocol/codec/PktCreatorTable.h"

#include <algorithm>
#include <array>

using Table = PktCreatorTable<PktFactory::Creator>;

PktFactory::PktFactory()
    : m_creators(Table::Get())
{
}

std::unique_ptr<PktIn> PktFactory::Create(const std::wstring& command, int32_t transactionId) const
{
    auto it = m_creators.find(command);
    if (it == m_creators.end())
        return nullptr;
    return it->second(command, transactionId);
}

std::vector<std::wstring> PktFactory::GetCommands() const
{
    return Table::Commands(m_creators);
}

bool PktFactory::HasPayload(std::string_view command)
{
    static constexpr std::array<std::string_view, 8> kPayloadCommands
        = { "CMSG", "CRP2", "CSES", "CTOC", "LIN2", "LSTA", "MVBG", "WGET" };
    return std::find(kPayloadCommands.begin(), kPayloadCommands.end(), command) != kPayloadCommands.end();
}

bool PktFactory::Register(const wchar_t* command, Creator creator)
{
    return Table::Add(L"PktFactory", command, creator);
}
