#include "messenger/protocol/codec/PktHandlerFactory.h"

#include "messenger/protocol/codec/PktCreatorTable.h"

using Table = PktCreatorTable<PktHandlerFactory::Creator>;

PktHandlerFactory::PktHandlerFactory()
    : m_creators(Table::Get())
{
}

std::unique_ptr<PktHandler> PktHandlerFactory::Create(const std::wstring& command) const
{
    auto it = m_creators.find(command);
    return it == m_creators.end() ? nullptr : it->second();
}

std::vector<std::wstring> PktHandlerFactory::GetCommands() const
{
    return Table::Commands(m_creators);
}

bool PktHandlerFactory::Register(const wchar_t* command, Creator creator)
{
    return Table::Add(L"PktHandlerFactory", command, creator);
}
