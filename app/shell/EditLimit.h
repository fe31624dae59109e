#pragma once

#include "ux/widgets/UxEdit.h"

#include <string>

// What an alert says of a paste the edit could not take whole. subject names the box
// with its particle ("대화는"): "대화는 500자까지 입력할 수 있습니다." and how many of the
// pasted characters were left out.
std::wstring EditLimitText(const std::wstring& subject, const UxEdit::Overflow& overflow);

// A paste the edit cannot take whole puts in what fits, and an alert says so in those
// words (a key typed at the limit only flashes the box).
void SayEditLimit(UxEdit& edit, const std::wstring& subject);
