#include "messenger/model/Buddy.h"

#include "messenger/protocol/buddies/BuddyRecord.h"

Buddy::Buddy(const BuddyRecord& record)
    : Email(record.Email)
    , Confirmed(record.Confirmed)
    , Id(record.Id)
    , Extra(record.Extra)
    , Flags(record.Flags)
    , Status(record.Status)
    , Name(record.Name)
    , Nick(record.Nick)
    , Birthday(record.Birthday)
    , SolarBirthday(record.SolarBirthday)
    , Mobile(record.Mobile)
    , Text1(record.Text1)
    , Text2(record.Text2)
{
}

std::wstring NameWithNick(const std::wstring& name, const std::wstring& nick)
{
    return nick.empty() ? name : name + L" (" + nick + L")";
}
