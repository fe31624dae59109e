#pragma once

#include <cstdint>
#include <string>

class PktIn;

// The text for a reply's result code: a name for codes users never see, the Korean
// message for those they do, "Unknown Error" for codes outside the table.
std::wstring GetFailureCodeName(int32_t code);
std::wstring GetFailureCodeName(const PktIn& packet);

// Shows the failure text in the plain alert box; the session goes on. False when no
// screens are attached or the box could not be shown.
bool ShowFailure(const PktIn& packet);
