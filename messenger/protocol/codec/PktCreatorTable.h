#pragma once

#include "ux/core/UxText.h"

#include <map>
#include <string>
#include <vector>

// The process-wide table that static registrations fill before main and that each
// factory copies when it is built.
template <typename Creator> class PktCreatorTable {
public:
    static std::map<std::wstring, Creator>& Get()
    {
        static std::map<std::wstring, Creator> table;
        return table;
    }

    static bool Add(const wchar_t* factory, const wchar_t* command, Creator creator)
    {
        if (!command || !creator)
            return false;
        if (!Get().emplace(command, creator).second) {
            UxTrace(
                L"%s::Register, \"%s\" is registered twice; the first class is kept.\n", factory, command);
            return false;
        }
        return true;
    }

    static std::vector<std::wstring> Commands(const std::map<std::wstring, Creator>& creators)
    {
        std::vector<std::wstring> commands;
        commands.reserve(creators.size());
        for (const auto& entry : creators)
            commands.push_back(entry.first);
        return commands;
    }
};
