#pragma once

#include "messenger/protocol/codec/PktHandler.h"
#include "ux/core/UxSingleton.h"

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Makes the handler for a frame's command word. Handler classes register their words
// from their own .cpp, as packet classes do with PktFactory:
//     [[maybe_unused]] const bool kRegistered = PktHandlerFactory::RegisterClass<PktHandlerAddb>({ L"ADDB"
//     });
class PktHandlerFactory : public UxSingleton<PktHandlerFactory> {
public:
    using Creator = std::unique_ptr<PktHandler> (*)();

    PktHandlerFactory();

    // Null for a word without a handler.
    std::unique_ptr<PktHandler> Create(const std::wstring& command) const;
    std::vector<std::wstring> GetCommands() const;

    static bool Register(const wchar_t* command, Creator creator);
    template <typename T> static bool RegisterClass(std::initializer_list<const wchar_t*> commands)
    {
        bool ok = true;
        for (const wchar_t* command : commands)
            ok = Register(command, [] { return std::unique_ptr<PktHandler>(new T); }) && ok;
        return ok;
    }

private:
    std::map<std::wstring, Creator> m_creators;
};
