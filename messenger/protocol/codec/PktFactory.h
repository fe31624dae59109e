#pragma once

#include "messenger/protocol/codec/PktIn.h"
#include "ux/core/UxSingleton.h"

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// Makes the incoming packet for a frame's command word.
//
// Each incoming packet class registers its words from its own .cpp:
//     [[maybe_unused]] const bool kRegistered = PktFactory::RegisterClass<PktInAddb>({ L"ADDB" });
// Registration runs before main; every factory is built from what was registered.
// A class constructible from (command word, id) is given the word (shared classes
// such as PktInEmpty); otherwise it is constructed from the id alone.
class PktFactory : public UxSingleton<PktFactory> {
public:
    using Creator = std::unique_ptr<PktIn> (*)(const std::wstring& command, int32_t transactionId);

    PktFactory();

    // Null for a word nobody registered (the frame is then dropped). Exact,
    // case-sensitive match.
    std::unique_ptr<PktIn> Create(const std::wstring& command, int32_t transactionId) const;
    std::vector<std::wstring> GetCommands() const;

    // Whether incoming frames of this word carry a payload whose byte count is the
    // last word of the line. Asked with the raw first word of a line.
    static bool HasPayload(std::string_view command);

    // False (and a trace line) when the word is already taken: the first class stays.
    static bool Register(const wchar_t* command, Creator creator);
    template <typename T> static bool RegisterClass(std::initializer_list<const wchar_t*> commands)
    {
        bool ok = true;
        for (const wchar_t* command : commands)
            ok = Register(command, &Make<T>) && ok;
        return ok;
    }

private:
    template <typename T>
    static std::unique_ptr<PktIn> Make(const std::wstring& command, int32_t transactionId)
    {
        if constexpr (std::is_constructible_v<T, const std::wstring&, int32_t>)
            return std::make_unique<T>(command, transactionId);
        else
            return std::make_unique<T>(transactionId);
    }

    std::map<std::wstring, Creator> m_creators;
};
