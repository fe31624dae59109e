#pragma once

#include <string>
#include <vector>

class PktStreamReader;

// One group of the buddy-list body: id, name, member count, then the member key ids.
struct GroupRecord {
    std::wstring Id;
    std::wstring Name;
    std::vector<std::wstring> Members;

    // Reads one record. A member count that is negative or runs past the body stops at
    // the body's end, so a hostile count costs no more than the bytes that came.
    void Read(PktStreamReader& reader);
};
