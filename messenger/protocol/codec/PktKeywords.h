#pragma once

#include <cstdint>
#include <string>

// The protocol's keyword vocabularies. Parsing compares exactly (case-sensitive); a word
// outside a vocabulary parses to the value after its last word. A value outside a
// vocabulary prints as "Unknown".

// "1" / "0" and "Y" / "N": anything but "1" (or "Y") is false.
bool ParseOneZero(const std::wstring& text);
std::wstring OneZeroToText(bool value);
bool ParseYesNo(const std::wstring& text);
std::wstring YesNoToText(bool value);

// "Y" 0 optional update, "N" 1 none, "F" 2 forced; else 3.
int32_t ParseUpdateFlag(const std::wstring& text);
// "N" 0, "C" 1; else 2.
int32_t ParseAccountKind(const std::wstring& text);
// "FL" 0, "AL" 1, "BL" 2, "RL" 3; else 4.
int32_t ParseListKind(const std::wstring& text);
std::wstring ListKindToText(int32_t value);
// "O" 0 online, "A" 1 away, "M" 2 meeting, "P" 3 phone, "B" 4 busy, "X" 5 shown
// offline, "F" 6 offline; else 7.
int32_t ParseBuddyStatus(const std::wstring& text);
std::wstring BuddyStatusToText(int32_t value);
// "REQST" 0, "ACCPT" 1, "REJCT" 2; else 3.
int32_t ParseBuddyRequest(const std::wstring& text);
std::wstring BuddyRequestToText(int32_t value);
// "DP" 0, "SS" 1; else 2.
int32_t ParseEnvelopeKind(const std::wstring& text);
std::wstring EnvelopeKindToText(int32_t value);
// "1" gives 0, anything else 2.
int32_t ParseParticipantFlag(const std::wstring& text);
// 0 "1", 1 "2".
std::wstring ClientFlagToText(int32_t value);
// "LIST" 0, "INFO" 1, "KILL" 2, "CONN" 3; else 4.
int32_t ParseSessionCommand(const std::wstring& text);
std::wstring SessionCommandToText(int32_t value);
// "TYPING" 0, "MSG" 1, "AWAYMSG" 2; else 3.
int32_t ParseMessageKind(const std::wstring& text);
std::wstring MessageKindToText(int32_t value);
// "0" 0, "1" 1, "2" 2; else 3.
int32_t ParseDigit(const std::wstring& text);
std::wstring DigitToText(int32_t value);
// "text" 0, "html" 1, "rtf" 2, "flsh" 3; else 4.
int32_t ParseContentType(const std::wstring& text);
std::wstring ContentTypeToText(int32_t value);
// "MEMOLST2" 0, "MEMOCNT2" 1, "MEMOGET2" 2, "MEMOREL1" 3, "MEMODEL1" 4, "MEMOSPM1" 5; else 6.
int32_t ParseMemoCommand(const std::wstring& text);
std::wstring MemoCommandToText(int32_t value);
// "R" 0, "S" 1, "A" 2; else 3.
int32_t ParseMemoBox(const std::wstring& text);
std::wstring MemoBoxToText(int32_t value);
// "NW" 0, "FW" 1, "RE" 2, "AL" 3; else 4.
int32_t ParseMemoKind(const std::wstring& text);
std::wstring MemoKindToText(int32_t value);
// 0 "MD5", 1 "OTP".
std::wstring AuthenticationKindToText(int32_t value);
// 0 "U", 1 "A", 2 "N".
std::wstring DeliveryKindToText(int32_t value);
// 0 "ANSI", 1 "UTF8".
std::wstring TextEncodingToText(int32_t value);
// 0 "P", 1 "C".
std::wstring ClientModeToText(int32_t value);
// 0 "1", 1 "3".
std::wstring MemoListTypeToText(int32_t value);

// Four "1"/"0" characters: bit 0 for the first (forward list), bit 1 allow, bit 2
// block, bit 3 reverse. Missing characters count as "0".
int32_t ParseFlagString(const std::wstring& text);
