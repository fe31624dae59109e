#pragma once

#include <cstdint>
#include <span>
#include <string>

class PktIn;

// One result code of a table: the name the log gives it and the text the user reads.
struct FailureCode {
    int32_t code;
    const wchar_t* name;
    const wchar_t* text;
};

// The code's entry in the table, null when the table has none.
const FailureCode* FindFailureCode(std::span<const FailureCode> table, int32_t code);
// The code's name in the table, "Unknown Error" for a code outside it.
std::wstring GetFailureName(std::span<const FailureCode> table, int32_t code);
// The text for the user: the table's, or for a code outside it a general one with the
// number.
std::wstring GetFailureText(std::span<const FailureCode> table, int32_t code);
// "<name> (<code>)", for the log.
std::wstring DescribeFailure(std::span<const FailureCode> table, int32_t code);

// The name of a reply's result code, "Unknown Error" for codes outside the table. Users
// read GetFailureCodeText; the names are for the log.
std::wstring GetFailureCodeName(int32_t code);
std::wstring GetFailureCodeName(const PktIn& packet);
// What the user reads for a reply's result code, in Korean.
std::wstring GetFailureCodeText(int32_t code);
std::wstring GetFailureCodeText(const PktIn& packet);

// Shows the failure text in the plain alert box and traces the code's name; the session
// goes on. False when no screens are attached or the box could not be shown.
bool ShowFailure(const PktIn& packet);
