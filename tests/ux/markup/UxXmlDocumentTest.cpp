#include "ux/markup/UxXmlDocument.h"
#include "tests/support/TempFolder.h"
#include "ux/core/UxPathResolver.h"
#include "ux/markup/UxIniReader.h"
#include "ux/markup/UxTextScanner.h"
#include "ux/markup/UxXmlParser.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const std::wstring kDecl = L"<?xml version=\"1.0\"?>";

TEST(UxXmlDocument, RootElementFollowsTheDeclaration)
{
    UxXmlDocument doc;
    ASSERT_TRUE(doc.LoadText(L"<?xml version=\"1.0\"?><Skin><A>12</A><B x='1'/></Skin>"));
    EXPECT_EQ(doc.GetName(), L"Skin");
    ASSERT_EQ(doc.GetChildCount(), 2u);
    EXPECT_EQ(doc.FindChild(L"A")->GetText(), L"12");
    EXPECT_EQ(doc.FindChild(L"B")->GetAttribute(L"x"), L"1");

    // Without a declaration the root is what gets thrown away.
    ASSERT_TRUE(doc.LoadText(L"<Skin><A>12</A></Skin>"));
    EXPECT_EQ(doc.GetChildCount(), 0u);
}

TEST(UxXmlDocument, TextCommentsAndSections)
{
    UxXmlDocument doc;
    ASSERT_TRUE(doc.LoadText(kDecl
        + L"<R>\r\n  <A>  hello  world </A>\n<E></E><!-- keep  spaces --><![CDATA[ <raw> ]]>"
          L"<T>&amp; \"quoted\" text</T><Q>\"starts\" with a quote</Q><K a=\"1\" a=\"2\" b=x.y "
          L"c='it\\'s'/></R>"));
    ASSERT_EQ(doc.GetChildCount(), 7u); // white space between elements makes no node
    EXPECT_EQ(doc.FindChild(L"A")->GetText(), L"hello  world");
    EXPECT_EQ(doc.FindChild(L"A")->GetChild(0)->GetKind(), UxXmlNode::Text);
    EXPECT_EQ(doc.FindChild(L"E")->GetChildCount(), 0u);
    EXPECT_EQ(doc.GetChild(2)->GetKind(), UxXmlNode::Comment);
    EXPECT_EQ(doc.GetChild(2)->GetName(), L" keep  spaces ");
    EXPECT_EQ(doc.GetChild(3)->GetKind(), UxXmlNode::CData);
    EXPECT_EQ(doc.GetChild(3)->GetName(), L" <raw> ");
    EXPECT_EQ(doc.FindChild(L"T")->GetText(), L"&amp; \"quoted\" text"); // references stay as written
    EXPECT_EQ(doc.FindChild(L"Q")->GetText(), L"\"starts\" with a quote");
    UxXmlNode* k = doc.FindChild(L"K");
    EXPECT_EQ(k->GetAttribute(L"a"), L"1"); // the first value stays
    EXPECT_EQ(k->GetAttribute(L"b"), L"x.y");
    EXPECT_EQ(k->GetAttribute(L"c"), L"it's");
    EXPECT_EQ(doc.FindChild(L"k"), nullptr); // names compare exactly
}

TEST(UxXmlDocument, MalformedMarkupFailsAndLeavesTheDocumentEmpty)
{
    const wchar_t* bad[] = {
        L"<A>1</B>", // closing name differs
        L"<!---->", // empty comment
        L"<A><B>x</B>", // not terminated
        L"<A>", // ends right after the tag
        L"<A b=>x</A>", // attribute without value
        L"<A b c>x</A>",
        L"<A>x</A", // no '>'
        L"<? ?>",
        L"<!x>",
        L"<A/ x>",
        L"unfinished text",
    };
    for (const wchar_t* text : bad) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        UxXmlDocument doc;
        EXPECT_FALSE(doc.LoadText(kDecl + text));
        EXPECT_EQ(doc.GetChildCount(), 0u);
        EXPECT_EQ(doc.GetName(), L"UX+");
    }
}

TEST(UxXmlDocument, NestingIsLimited)
{
    auto nested = [](int depth) {
        std::wstring s = kDecl;
        for (int i = 0; i < depth; ++i)
            s += L"<a>";
        s += L"x";
        for (int i = 0; i < depth; ++i)
            s += L"</a>";
        return s;
    };
    UxXmlDocument doc;
    // Elements nest up to one less than the limit (the text inside takes the last level).
    const int deepest = static_cast<int>(UxXmlParser::kMaxDepth) - 1;
    EXPECT_TRUE(doc.LoadText(nested(deepest)));
    EXPECT_FALSE(doc.LoadText(nested(deepest + 1)));
    EXPECT_FALSE(doc.LoadText(nested(100000))); // no stack overflow
    std::wstring huge = kDecl + L"<A v=\"" + std::wstring(1 << 20, L'v') + L"\"/>";
    ASSERT_TRUE(doc.LoadText(huge));
    EXPECT_EQ(doc.GetAttribute(L"v").size(), 1u << 20);
}

TEST(UxXmlDocument, LoadsThroughTheProgramFolder)
{
    TempFolder folder;
    folder.Write("Image/Skin.dat",
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<Skin><Name>\xED\x95\x9C</Name></Skin>");
    UxPathResolver resolver;
    resolver.SetBase(2, folder.Designed());
    UxXmlDocument doc;
    ASSERT_TRUE(doc.LoadFile(L"Image\\Skin.dat"));
    EXPECT_EQ(doc.FindChild(L"Name")->GetText(), L"\uD55C");

    // Parsing no text at all would succeed with an empty skin: a missing file must fail.
    EXPECT_FALSE(doc.LoadFile(L"Image\\Missing.dat"));
    folder.Write("Image/Empty.dat", "");
    EXPECT_FALSE(doc.LoadFile(L"Image\\Empty.dat"));
}

TEST(UxXmlNode, TypedValues)
{
    std::vector<std::unique_ptr<UxXmlNode>> nodes;
    auto value = [&](const std::wstring& text) {
        nodes.emplace_back(new UxXmlDocument);
        nodes.back()->NewChild(-1)->SetText(text);
        return nodes.back().get();
    };
    auto rect = [&](const std::wstring& text) {
        plat::RECT r = value(text)->GetRect();
        return std::make_tuple(r.left, r.top, r.right, r.bottom);
    };
    EXPECT_EQ(rect(L"10, 20, 30, 40"), std::make_tuple(10, 20, 40, 60));
    EXPECT_EQ(rect(L"-5,7 ,1"), std::make_tuple(-5, 7, -5, 7)); // stops at the first mismatch
    EXPECT_EQ(rect(L"2147483647, 0, 10, 0"), std::make_tuple(INT_MAX, 0, INT_MAX, 0)); // clamped, not wrapped
    plat::POINT p = value(L"-3,  9")->GetPoint();
    EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(-3, 9));
    for (auto [text, colour] : { std::pair { L"#FF8000", 0x0080FFu }, { L"#1", 0x1u }, { L"102030", 0u } })
        EXPECT_EQ(value(text)->GetColor(), colour) << text;
    // The last '.' counts; no signs, no exponents.
    for (auto [text, number] : { std::pair { L"1.5", 1.5f }, { L"1.2.5", 12.5f }, { L".25", 0.25f },
             { L"-1", 0.0f }, { L"1e5", 0.0f } })
        EXPECT_FLOAT_EQ(value(text)->GetFloat(), number) << text;
    EXPECT_TRUE(value(L"True")->GetBool());
    EXPECT_FALSE(value(L"true")->GetBool());
    for (auto [text, number] :
        { std::pair { L"  -42abc", -42 }, { L"99999999999999999999", INT_MAX }, { L"x", 0 } })
        EXPECT_EQ(value(text)->GetInt(), number) << text;

    const UxXmlNode* none = nullptr;
    EXPECT_EQ(UxXmlNode::GetInt(none), 0);
    EXPECT_EQ(UxXmlNode::GetText(none), L"");
}

TEST(UxXmlNode, NewChildInsertsAtItsIndex)
{
    UxXmlNode node;
    node.NewChild(-1)->SetElement(L"b");
    node.NewChild(0)->SetElement(L"a");
    node.NewChild(9)->SetElement(L"c");
    ASSERT_EQ(node.GetChildCount(), 3u);
    EXPECT_EQ(node.GetChild(0)->GetName(), L"a");
    EXPECT_EQ(node.GetChild(2)->GetName(), L"c");
    EXPECT_EQ(node.GetChild(3), nullptr);
    node.SetComment(L"x"); // drops the children
    EXPECT_EQ(node.GetChildCount(), 0u);
}

TEST(UxTextScanner, ReadsTokensStringsAndRuns)
{
    std::wstring text = L"  name-1.x \"a\\tb\\\"c\\q\" 'unterminated";
    UxTextScanner s(text);
    EXPECT_EQ(s.ReadToken(L"-_.#"), L"name-1.x");
    EXPECT_EQ(s.ReadToken(L""), L"a\tb\"c\\q");
    EXPECT_EQ(s.ReadToken(L""), L"unterminated");
    EXPECT_TRUE(s.AtEnd());
    EXPECT_EQ(s.ReadToken(L""), L"");

    std::wstring t = L"ab-->cd";
    UxTextScanner u(t);
    EXPECT_EQ(u.ReadUntil(L"-->", 0), L"ab-->");
    u.Seek(0, 0);
    EXPECT_EQ(u.ReadUntil(L"-->", 1), L"ab");
    EXPECT_EQ(u.GetPosition(), 5u);
    EXPECT_EQ(u.ReadUntil(L'x', 1), L"");
    EXPECT_TRUE(u.AtEnd());
    u.Seek(-100, 1);
    EXPECT_EQ(u.GetPosition(), 0u);
    u.Seek(100, 0);
    EXPECT_EQ(u.GetPosition(), t.size());

    std::wstring r = L" abc";
    UxTextScanner v(r);
    EXPECT_EQ(v.Read(3), L""); // nothing would follow
    EXPECT_EQ(v.GetPosition(), 1u); // the white space stays skipped
    EXPECT_EQ(v.Read(2), L"ab");
}

TEST(UxIniReader, FindsValuesBySearch)
{
    UxIniReader ini;
    ini.SetText(L"[Update]\r\nVersion=1.2\r\n[Other]\r\nUrl=http://x/y=z");
    EXPECT_EQ(ini.GetValue(L"Update", L"Version"), L"1.2");
    EXPECT_EQ(ini.GetValue(L"Update", L"sion"), L"1.2"); // found inside "Version="
    EXPECT_EQ(ini.GetValue(L"Update", L"Url"), L"http://x/y=z"); // past the next section, to the end
    EXPECT_EQ(ini.GetValue(L"update", L"Version"), L"");
}

TEST(UxIniReader, ReadsEachEncoding)
{
    TempFolder folder;
    folder.Write("utf8.ini", "[U]\r\nName=\xED\x95\x9C\r\n");
    folder.Write("euckr.ini", "[U]\r\nName=\xC7\xD1\r\n");
    folder.Write("utf16.ini", std::string("[\0U\0]\0\r\0\n\0N\0=\0\x5C\xD5", 16));
    folder.Write("bom.ini", "\xEF\xBB\xBF[U]\r\nName=\xED\x95\x9C");
    EXPECT_EQ(ReadIniValue(folder.Designed("utf8.ini"), L"U", L"Name", 2), L"\uD55C");
    EXPECT_EQ(ReadIniValue(folder.Designed("euckr.ini"), L"U", L"Name", 3), L"\uD55C");
    EXPECT_EQ(ReadIniValue(folder.Designed("utf16.ini"), L"U", L"N", 1), L"\uD55C");
    EXPECT_EQ(ReadIniValue(folder.Designed("bom.ini"), L"U", L"Name", 0), L"\uD55C");
    EXPECT_EQ(ReadIniValue(folder.Designed("utf8.ini"), L"U", L"Name", 7), L"");
}

} // namespace
