#include "platform/system/RegistryStore.h"

#include <gtest/gtest.h>

namespace {

using plat::RegistryStore;

TEST(RegistryStore, TextFormRoundTripsEveryValue)
{
    RegistryStore store;
    ASSERT_TRUE(store.CreateKey(L"Software\\Maker\\App"));
    ASSERT_TRUE(store.CreateKey(L"Empty\\Key"));
    auto set = [&](const std::wstring& name, uint32_t type, std::vector<uint8_t> data) {
        ASSERT_TRUE(store.SetValue(L"Software\\Maker\\App", name, type, data.data(), data.size()));
    };
    using B = std::vector<uint8_t>;
    set(L"Plain", plat::REG_SZ, B { 'h', 0, 'i', 0 });
    set(L"Escapes \"]=\\", plat::REG_SZ, B { '"', 0, '\\', 0, '\n', 0, 1, 0, 0, 0, 0x00, 0xAC });
    set(L"Pair", plat::REG_SZ, B { 0x3D, 0xD8, 0x00, 0xDE });
    set(L"Lone", plat::REG_SZ, B { 0x00, 0xD8, 'a', 0 });
    set(L"Odd", plat::REG_SZ, B { 'a', 0, 'b' });
    set(L"Count", plat::REG_DWORD, B { 0x0A, 0, 0, 0x80 });
    set(L"Short", plat::REG_DWORD, B { 1, 2 });
    set(L"Blob", plat::REG_BINARY, B { 0, 0xFF, 0x10 });
    set(L"Nothing", plat::REG_BINARY, B {});
    set(L"", 7, B { 'x', 0, 0, 0 });

    std::string text = store.Serialize();
    for (const char* line : { "[Software\\Maker\\App]\n", "[Empty\\Key]\n", "\"Plain\"=sz:\"hi\"\n",
             "\"Count\"=dword:8000000a\n", "\"Blob\"=hex:00,ff,10\n", "\"Pair\"=sz:\"\xF0\x9F\x98\x80\"\n" })
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;

    RegistryStore again;
    ASSERT_TRUE(again.Parse(text)) << text;
    EXPECT_EQ(again.Serialize(), text);
    EXPECT_TRUE(again.HasKey(L"empty\\KEY"));
    for (const wchar_t* name : { L"Plain", L"Escapes \"]=\\", L"Pair", L"Lone", L"Odd", L"Count", L"Short",
             L"Blob", L"Nothing", L"" }) {
        const auto* a = store.GetValue(L"Software\\Maker\\App", name);
        const auto* b = again.GetValue(L"SOFTWARE\\maker\\app", name);
        ASSERT_TRUE(a && b) << name;
        EXPECT_TRUE(a->type == b->type && a->data == b->data && a->name == b->name) << name;
    }
}

TEST(RegistryStore, MalformedTextIsRefusedWhole)
{
    const std::string head = "Quorix Registry 1\n";
    RegistryStore store;
    EXPECT_TRUE(store.Parse(""));
    EXPECT_TRUE(store.Parse(head + "; comment\n\n[A]\r\n\"v\"=dword:00000001\r\n"));
    EXPECT_TRUE(store.GetValue(L"A", L"V"));
    for (const std::string& bad : {
             std::string("[A]\n"), // no header
             head + "\"v\"=dword:00000001\n", // value outside a key
             head + "[A\n",
             head + "[A]\n\"v\"=dword:1\n",
             head + "[A]\n\"v\"=dword:0000000g\n",
             head + "[A]\n\"v\"=hex:0,1\n",
             head + "[A]\n\"v\"=hex:00,\n",
             head + "[A]\n\"v\"=hex(99999999999):00\n",
             head + "[A]\n\"v\"=sz:\"open\n",
             head + "[A]\n\"v\"=sz:\"x\"y\n",
             head + "[A]\n\"v\"=sz:\"\\q\"\n",
             head + "[A]\n\"v\"=sz:\"\\u12\"\n",
             head + "[A]\n\"v\"=sz:\"\xC3\x28\"\n", // not UTF-8
             head + "[A]\n\"v\"=text\n",
             head + "[A]\n\"v\"\n",
             head + "[A\x01]\n",
         }) {
        EXPECT_FALSE(store.Parse(bad)) << bad;
        EXPECT_FALSE(store.HasKey(L"A")) << bad; // nothing half-loaded
    }
}

} // namespace
