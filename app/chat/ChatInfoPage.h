#pragma once

#include "app/shell/EmptyPage.h"

// The screen for a chat's participants; an empty page until it is built.
class ChatInfoPage : public EmptyPage {
public:
    ChatInfoPage()
        : EmptyPage(L"ChatInfo")
    {
    }
};
