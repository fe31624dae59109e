#pragma once

#include <cstdint>
#include <string>

class PktStreamReader;

// One buddy of the buddy-list body: thirteen words in this order.
struct BuddyRecord {
    std::wstring Email;
    bool Confirmed = false;
    std::wstring Id;
    std::wstring Extra;
    uint32_t Flags = 0;
    int32_t Status = 7;
    std::wstring Name;
    std::wstring Nick;
    std::wstring Birthday;
    bool SolarBirthday = false;
    std::wstring Mobile;
    std::wstring Text1;
    std::wstring Text2;

    // A body that ends early leaves the missing words empty.
    void Read(PktStreamReader& reader);
};
