#pragma once

#include "ux/core/UxSingleton.h"

#include <cstdint>
#include <string>

// The user's five settings, kept in the registry under the application key. Loaded
// when created; each change is written at once (one value, one atomic write of the
// registry file) and all five again when the object goes, so neither a crash nor a
// kill loses a change, and a registry holding only some of the values still loads.
class Options : public UxSingleton<Options> {
public:
    enum ChatTypes { ChatTypeChat = 0, ChatTypeMemo = 1 };
    enum ViewTypes { ViewName = 0, ViewNick = 1, ViewNameId = 2, ViewNameNick = 3 };
    enum SortTypes { SortAll = 0, SortOnline = 1 };
    enum NotifyTypes { NotifyOff = 0, NotifySound = 1, NotifyVibrate = 2, NotifySoundVibrate = 3 };
    enum NotifyScope { ScopeLogin = 1, ScopeChat = 2, ScopeMemo = 4 };

    Options();
    ~Options() override;
    Options(const Options&) = delete;
    Options& operator=(const Options&) = delete;

    // Each value present in the registry replaces the field; missing or unreadable ones
    // keep it. Always true.
    bool Load();
    // All five values. False when the key cannot be created or a value not written.
    bool Save() const;

    int32_t GetChatType() const { return m_chatType; }
    int32_t GetViewType() const { return m_viewType; }
    int32_t GetSortType() const { return m_sortType; }
    int32_t GetNotifyType() const { return m_notifyType; }
    int32_t GetNotifyScopes() const { return m_notifyScopes; }

    // Each stores the value and writes it; false when the write failed (the value is
    // kept in memory all the same).
    bool SetChatType(int32_t value) { return Change(m_chatType, kChatTypeName, value); }
    bool SetViewType(int32_t value) { return Change(m_viewType, kViewTypeName, value); }
    bool SetSortType(int32_t value) { return Change(m_sortType, kSortTypeName, value); }
    bool SetNotifyType(int32_t value) { return Change(m_notifyType, kNotifyTypeName, value); }
    bool SetNotifyScopes(int32_t value) { return Change(m_notifyScopes, kNotifyScopesName, value); }

    // The texts the option pages show; a value outside its list gives "".
    static std::wstring GetChatTypeText(int32_t value);
    static std::wstring GetViewTypeText(int32_t value);
    static std::wstring GetSortTypeText(int32_t value);
    static std::wstring GetNotifyTypeText(int32_t value);
    // The set scopes in the order login, chat, memo joined by "+" and followed by
    // " 알림"; no scope gives "사용 안 함".
    static std::wstring GetNotifyScopesText(int32_t bits);

    static constexpr const wchar_t* kChatTypeName = L"OptionsChatType";
    static constexpr const wchar_t* kViewTypeName = L"OptionsViewType";
    static constexpr const wchar_t* kSortTypeName = L"OptionsSortType";
    static constexpr const wchar_t* kNotifyTypeName = L"OptionsNotifyType";
    static constexpr const wchar_t* kNotifyScopesName = L"OptionsNotifyScopes";

private:
    bool Change(int32_t& field, const wchar_t* name, int32_t value);

    int32_t m_chatType = ChatTypeChat;
    int32_t m_viewType = ViewNameNick;
    int32_t m_sortType = SortAll;
    int32_t m_notifyType = NotifySoundVibrate;
    int32_t m_notifyScopes = ScopeLogin | ScopeChat | ScopeMemo;
};
