#include "tools/signin/ConsoleScreens.h"

#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Me.h"
#include "platform/event/MessageQueue.h"
#include "ux/core/UxText.h"

#include <set>

namespace {

std::wstring BuddyLine(const Buddy& buddy)
{
    return FormatString(L"  %s (%s) %s: %s", buddy.Name.c_str(), buddy.Nick.c_str(), buddy.Email.c_str(),
        ConsoleScreens::StatusText(buddy.Status).c_str());
}

} // namespace

std::wstring ConsoleScreens::StatusText(int status)
{
    static const wchar_t* const texts[]
        = { L"online", L"away", L"in a meeting", L"on the phone", L"busy", L"shown offline", L"offline" };
    return status >= 0 && status < 7 ? texts[status] : L"not reported";
}

void ConsoleScreens::Print(const std::wstring& line)
{
    const std::string bytes = ToUtf8(line + L"\n");
    std::fwrite(bytes.data(), 1, bytes.size(), m_out);
    std::fflush(m_out);
}

bool ConsoleScreens::ShowMsgBox(const std::wstring& text)
{
    std::wstring line = text;
    ReplaceAll(line, L"\n\n", L" ");
    Print(L"alert: " + line);
    return true;
}

void ConsoleScreens::ResetScreens()
{
    Print(L"session ended");
    m_signedIn = false;
    plat::PostQuitMessage(m_exitCode);
}

void ConsoleScreens::ShowLoginForm()
{
    Print(L"sign-in refused");
    plat::PostQuitMessage(m_exitCode);
}

void ConsoleScreens::RefreshMyStatus()
{
    if (const Me* me = Me::GetInstance())
        Print(FormatString(
            L"signed in as %s (%s), %s", me->Name.c_str(), me->Nick.c_str(), StatusText(me->Status).c_str()));
}

bool ConsoleScreens::ReloadBuddyList()
{
    GroupList* groups = GroupList::GetInstance();
    BuddyList* buddies = BuddyList::GetInstance();
    if (!groups || !buddies)
        return false;
    std::set<std::wstring> grouped;
    for (const auto& [id, group] : groups->GetGroups()) {
        Print(FormatString(L"group %s (%u/%u online)", group.Name.c_str(),
            static_cast<unsigned>(group.CountOnline()), static_cast<unsigned>(group.GetMemberCount())));
        for (const std::wstring& member : group.Members) {
            if (const Buddy* buddy = buddies->FindById(member))
                Print(BuddyLine(*buddy));
            grouped.insert(member);
        }
    }
    // Buddies no group holds (requests towards the user, for one).
    bool header = false;
    for (const auto& [id, buddy] : buddies->GetBuddies()) {
        if (grouped.count(id))
            continue;
        if (!header)
            Print(L"not in a group");
        header = true;
        Print(BuddyLine(buddy));
    }
    return true;
}

void ConsoleScreens::ShowBuddyList()
{
    m_signedIn = true;
    Print(L"connected; press Ctrl+C to sign out");
}

void ConsoleScreens::RefreshBuddy(const std::wstring& id)
{
    BuddyList* buddies = BuddyList::GetInstance();
    if (const Buddy* buddy = buddies ? buddies->FindById(id) : nullptr)
        Print(L"status" + BuddyLine(*buddy).substr(1));
}

// Buddies and notices

bool ConsoleScreens::ShowNotifyBox(const std::wstring& title, const std::wstring& text)
{
    Print(title + L": " + text);
    return true;
}

void ConsoleScreens::AskBuddyRequest(
    const std::wstring&, const std::wstring& email, const std::wstring& message)
{
    Print(FormatString(L"buddy request from %s: %s", email.c_str(), message.c_str()));
}
