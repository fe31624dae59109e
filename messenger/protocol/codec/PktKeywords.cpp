#include "messenger/protocol/codec/PktKeywords.h"

#include <cstddef>

namespace {

// Value i is words[i]; other words parse to N.
template <size_t N> int32_t ParseWord(const wchar_t* const (&words)[N], const std::wstring& text)
{
    for (size_t i = 0; i < N; ++i) {
        if (text == words[i])
            return static_cast<int32_t>(i);
    }
    return static_cast<int32_t>(N);
}

template <size_t N> std::wstring WordText(const wchar_t* const (&words)[N], int32_t value)
{
    if (value < 0 || static_cast<size_t>(value) >= N)
        return L"Unknown";
    return words[value];
}

const wchar_t* const kUpdateFlags[] = { L"Y", L"N", L"F" };
const wchar_t* const kAccountKinds[] = { L"N", L"C" };
const wchar_t* const kListKinds[] = { L"FL", L"AL", L"BL", L"RL" };
const wchar_t* const kBuddyStatuses[] = { L"O", L"A", L"M", L"P", L"B", L"X", L"F" };
const wchar_t* const kBuddyRequests[] = { L"REQST", L"ACCPT", L"REJCT" };
const wchar_t* const kEnvelopeKinds[] = { L"DP", L"SS" };
const wchar_t* const kClientFlags[] = { L"1", L"2" };
const wchar_t* const kSessionCommands[] = { L"LIST", L"INFO", L"KILL", L"CONN" };
const wchar_t* const kMessageKinds[] = { L"TYPING", L"MSG", L"AWAYMSG" };
const wchar_t* const kDigits[] = { L"0", L"1", L"2" };
const wchar_t* const kContentTypes[] = { L"text", L"html", L"rtf", L"flsh" };
const wchar_t* const kMemoCommands[]
    = { L"MEMOLST2", L"MEMOCNT2", L"MEMOGET2", L"MEMOREL1", L"MEMODEL1", L"MEMOSPM1" };
const wchar_t* const kMemoBoxes[] = { L"R", L"S", L"A" };
const wchar_t* const kMemoKinds[] = { L"NW", L"FW", L"RE", L"AL" };
const wchar_t* const kAuthenticationKinds[] = { L"MD5", L"OTP" };
const wchar_t* const kDeliveryKinds[] = { L"U", L"A", L"N" };
const wchar_t* const kTextEncodings[] = { L"ANSI", L"UTF8" };
const wchar_t* const kClientModes[] = { L"P", L"C" };
const wchar_t* const kMemoListTypes[] = { L"1", L"3" };

} // namespace

// clang-format off
bool ParseOneZero(const std::wstring& text) { return text == L"1"; }
std::wstring OneZeroToText(bool value) { return value ? L"1" : L"0"; }
bool ParseYesNo(const std::wstring& text) { return text == L"Y"; }
std::wstring YesNoToText(bool value) { return value ? L"Y" : L"N"; }

int32_t ParseUpdateFlag(const std::wstring& text) { return ParseWord(kUpdateFlags, text); }
int32_t ParseAccountKind(const std::wstring& text) { return ParseWord(kAccountKinds, text); }
int32_t ParseListKind(const std::wstring& text) { return ParseWord(kListKinds, text); }
std::wstring ListKindToText(int32_t value) { return WordText(kListKinds, value); }
int32_t ParseBuddyStatus(const std::wstring& text) { return ParseWord(kBuddyStatuses, text); }
std::wstring BuddyStatusToText(int32_t value) { return WordText(kBuddyStatuses, value); }
int32_t ParseBuddyRequest(const std::wstring& text) { return ParseWord(kBuddyRequests, text); }
std::wstring BuddyRequestToText(int32_t value) { return WordText(kBuddyRequests, value); }
int32_t ParseEnvelopeKind(const std::wstring& text) { return ParseWord(kEnvelopeKinds, text); }
std::wstring EnvelopeKindToText(int32_t value) { return WordText(kEnvelopeKinds, value); }
int32_t ParseParticipantFlag(const std::wstring& text) { return text == L"1" ? 0 : 2; }
std::wstring ClientFlagToText(int32_t value) { return WordText(kClientFlags, value); }
int32_t ParseSessionCommand(const std::wstring& text) { return ParseWord(kSessionCommands, text); }
std::wstring SessionCommandToText(int32_t value) { return WordText(kSessionCommands, value); }
int32_t ParseMessageKind(const std::wstring& text) { return ParseWord(kMessageKinds, text); }
std::wstring MessageKindToText(int32_t value) { return WordText(kMessageKinds, value); }
int32_t ParseDigit(const std::wstring& text) { return ParseWord(kDigits, text); }
std::wstring DigitToText(int32_t value) { return WordText(kDigits, value); }
int32_t ParseContentType(const std::wstring& text) { return ParseWord(kContentTypes, text); }
std::wstring ContentTypeToText(int32_t value) { return WordText(kContentTypes, value); }
int32_t ParseMemoCommand(const std::wstring& text) { return ParseWord(kMemoCommands, text); }
std::wstring MemoCommandToText(int32_t value) { return WordText(kMemoCommands, value); }
int32_t ParseMemoBox(const std::wstring& text) { return ParseWord(kMemoBoxes, text); }
std::wstring MemoBoxToText(int32_t value) { return WordText(kMemoBoxes, value); }
int32_t ParseMemoKind(const std::wstring& text) { return ParseWord(kMemoKinds, text); }
std::wstring MemoKindToText(int32_t value) { return WordText(kMemoKinds, value); }
std::wstring AuthenticationKindToText(int32_t value) { return WordText(kAuthenticationKinds, value); }
std::wstring DeliveryKindToText(int32_t value) { return WordText(kDeliveryKinds, value); }
std::wstring TextEncodingToText(int32_t value) { return WordText(kTextEncodings, value); }
std::wstring ClientModeToText(int32_t value) { return WordText(kClientModes, value); }
std::wstring MemoListTypeToText(int32_t value) { return WordText(kMemoListTypes, value); }
// clang-format on

int32_t ParseFlagString(const std::wstring& text)
{
    int32_t flags = 0;
    for (size_t i = 0; i < 4 && i < text.size(); ++i) {
        if (text[i] == L'1')
            flags |= 1 << i;
    }
    return flags;
}
