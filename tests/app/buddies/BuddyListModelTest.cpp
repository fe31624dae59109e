#include "app/buddies/BuddyListModel.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Options.h"
#include "tests/support/TempRegistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class BuddyListModelTest : public ::testing::Test {
protected:
    TempRegistry registry;
    GroupList groups;
    BuddyList buddies;
    Options options;

    void Add(
        const wchar_t* id, const wchar_t* name, const wchar_t* nick, const wchar_t* email, int32_t status)
    {
        Buddy b;
        b.Id = id;
        b.Name = name;
        b.Nick = nick;
        b.Email = email;
        b.Status = status;
        buddies.Insert(b.Id, b);
    }
    void AddGroup(const wchar_t* id, const wchar_t* name, std::vector<std::wstring> members)
    {
        Group g(id, name);
        for (auto& m : members)
            g.AddMember(m);
        groups.Insert(g);
    }
    // The rows as "G:id" and "B:id", for whole-list comparisons.
    static std::vector<std::wstring> Rows(const BuddyListModel& model)
    {
        std::vector<std::wstring> out;
        for (const auto& row : model.GetRows())
            out.push_back((row.kind == BuddyListRow::KindGroup ? L"G:" : L"B:") + row.id);
        return out;
    }
    std::vector<std::wstring> Build(int sort, int view, const std::wstring& group = L"")
    {
        options.SetSortType(sort);
        options.SetViewType(view);
        BuddyListModel model;
        EXPECT_EQ(model.Rebuild(group), 1);
        return Rows(model);
    }
};

} // namespace

TEST_F(BuddyListModelTest, GroupsByNameThenBuddiesByEachViewType)
{
    // Korean names sort by code unit: 가 < 나 < 다; an ASCII name sorts first.
    Add(L"k1", L"다람쥐", L"zeta", L"d@x.kr", BuddyStatusOnline);
    Add(L"k2", L"가나", L"beta", L"b@x.kr", BuddyStatusOffline);
    Add(L"k3", L"나비", L"alpha", L"a@x.kr", BuddyStatusShownOffline);
    Add(L"k4", L"Kim", L"", L"k@x.kr", BuddyStatusAway);
    AddGroup(L"0", L"친구", { L"k1", L"k2", L"k3", L"k4" });
    AddGroup(L"1", L"가족", {});
    AddGroup(L"2", L"Work", { L"k1" });

    const struct {
        int sort, view;
        std::vector<std::wstring> rows;
    } cases[] = {
        { 0, 0, { L"G:2", L"B:k1", L"G:1", L"G:0", L"B:k4", L"B:k2", L"B:k3", L"B:k1" } },
        { 0, 1, { L"G:2", L"B:k1", L"G:1", L"G:0", L"B:k4", L"B:k3", L"B:k2", L"B:k1" } },
        { 0, 2, { L"G:2", L"B:k1", L"G:1", L"G:0", L"B:k4", L"B:k2", L"B:k3", L"B:k1" } },
        { 0, 3, { L"G:2", L"B:k1", L"G:1", L"G:0", L"B:k4", L"B:k2", L"B:k3", L"B:k1" } },
        // Online only drops status 6 and keeps 5 (shown offline); empty groups stay.
        { 1, 0, { L"G:2", L"B:k1", L"G:1", L"G:0", L"B:k4", L"B:k3", L"B:k1" } },
        // Unknown view type: members in descending id order, as inserted.
        { 0, 9, { L"G:2", L"B:k1", L"G:1", L"G:0", L"B:k4", L"B:k3", L"B:k2", L"B:k1" } },
        // Unknown sort type: nothing.
        { 4, 0, {} },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Build(c.sort, c.view), c.rows) << "sort " << c.sort << " view " << c.view;
}

TEST_F(BuddyListModelTest, CombinedKeysCompareAsOneText)
{
    // "Kim" + "zz" sorts after "Kimb" + "aa": the texts are joined, not compared in turn.
    Add(L"a", L"Kim", L"zz", L"zz", BuddyStatusOnline);
    Add(L"b", L"Kimb", L"aa", L"aa", BuddyStatusOnline);
    Add(L"c", L"Ki", L"", L"", BuddyStatusOnline); // a prefix sorts first
    AddGroup(L"0", L"g", { L"a", L"b", L"c" });
    EXPECT_EQ(Build(0, 2), (std::vector<std::wstring> { L"G:0", L"B:c", L"B:b", L"B:a" }));
    EXPECT_EQ(Build(0, 3), (std::vector<std::wstring> { L"G:0", L"B:c", L"B:b", L"B:a" }));
    EXPECT_EQ(Build(0, 0), (std::vector<std::wstring> { L"G:0", L"B:c", L"B:a", L"B:b" }));
}

TEST_F(BuddyListModelTest, LongAndMixedTextsSortByTheirCodeUnits)
{
    // Names that agree on their first eight units, end within them, or carry units
    // from the top of the 16-bit range or beyond it, with nicks joined to them.
    const std::wstring stems[] = { L"김민수", L"김민수김민수김민", L"김민수김민수김민수", L"abcdefgh", L"abcdefg",
        L"abcdefghi", L"\uE000가", L"\U0001F600", L"가\uFFFF", L"" };
    const std::wstring tails[] = { L"", L"1", L"12", L"가", L"\uE001", L"\U0001F601" };
    std::vector<std::wstring> members;
    int n = 0;
    for (const std::wstring& stem : stems)
        for (const std::wstring& tail : tails) {
            const std::wstring id = L"m" + std::to_wstring(n++);
            Add(id.c_str(), (stem + tail).c_str(), tail.c_str(), (tail + L"@x").c_str(), BuddyStatusOnline);
            members.push_back(id);
        }
    AddGroup(L"0", L"g", members);
    for (int view : { 0, 1, 2, 3 }) {
        options.SetViewType(view);
        BuddyListModel model;
        model.Rebuild(L"");
        ASSERT_EQ(model.GetCount(), members.size() + 1);
        auto key = [&](size_t row) {
            const Buddy* b = buddies.FindById(model[row].id);
            switch (view) {
            case 0:
                return b->Name;
            case 1:
                return b->Nick;
            case 2:
                return b->Name + b->Email;
            default:
                return b->Name + b->Nick;
            }
        };
        for (size_t row = 2; row < model.GetCount(); ++row)
            EXPECT_FALSE(BuddyListModel::LessUtf16(key(row), key(row - 1))) << "view " << view << " row " << row;
    }
}

TEST_F(BuddyListModelTest, OneGroupFilterAndMissingRecords)
{
    Add(L"k1", L"나", L"", L"n@x.kr", BuddyStatusOnline);
    Add(L"k2", L"가", L"", L"g@x.kr", BuddyStatusOnline);
    AddGroup(L"0", L"a", { L"k1", L"k2", L"ghost" }); // a member without a buddy is skipped
    AddGroup(L"1", L"b", {});
    EXPECT_EQ(Build(0, 0, L"0"), (std::vector<std::wstring> { L"G:0", L"B:k2", L"B:k1" }));
    EXPECT_EQ(Build(1, 0, L"1"), (std::vector<std::wstring> { L"G:1" }));
    EXPECT_EQ(Build(0, 0, L"nope"), (std::vector<std::wstring> {}));
    // A buddy row is found by its id, never a group row of the same id.
    AddGroup(L"k1", L"c", { L"k1" });
    BuddyListModel model;
    model.Rebuild(L"");
    EXPECT_EQ(model.FindBuddyRow(L"k1"), 2);
    EXPECT_EQ(model.FindBuddyRow(L"1"), -1);
    groups.Clear();
    EXPECT_EQ(Build(0, 0), (std::vector<std::wstring> {}));
}

TEST(BuddyListModelText, Utf16CodeUnitOrder)
{
    const struct {
        std::wstring a, b;
        bool less;
    } cases[] = {
        { L"가", L"각", true },
        { L"Z", L"a", true },
        { L"ab", L"abc", true },
        { L"abc", L"ab", false },
        { L"ab", L"ab", false },
        { L"\U0001F600", L"\uFF21", true }, // a surrogate pair's first unit is below U+E000
        { L"\uD7A3", L"\U0001F600", true },
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuddyListModel::LessUtf16(c.a, c.b), c.less);
}
