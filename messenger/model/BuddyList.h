#pragma once

#include "messenger/model/Buddy.h"
#include "ux/core/UxSingleton.h"

#include <map>
#include <string>

// Every buddy of the signed-in user by Id, with an index by Email.
class BuddyList : public UxSingleton<BuddyList> {
public:
    // The buddy whose Email is this text; null when none.
    Buddy* Find(const std::wstring& email);
    // The buddy stored under this Id; null when none.
    Buddy* FindById(const std::wstring& id);
    const Buddy* FindById(const std::wstring& id) const;

    // Stores the buddy under id unless the id is taken (the stored record then stays as
    // it is). Always true.
    bool Insert(const std::wstring& id, const Buddy& buddy);
    void Clear();
    // Unchecks every buddy in the picker.
    void ClearChecks();

    size_t GetCount() const { return m_buddies.size(); }
    const std::map<std::wstring, Buddy>& GetBuddies() const { return m_buddies; }

private:
    std::map<std::wstring, Buddy> m_buddies;
    // Points into m_buddies, whose nodes never move.
    std::map<std::wstring, Buddy*> m_byEmail;
};
