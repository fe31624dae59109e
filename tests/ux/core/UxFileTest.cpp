#include "ux/core/UxFile.h"
#include "tests/support/TempFolder.h"
#include "ux/core/UxFileReader.h"
#include "ux/core/UxFileWriter.h"
#include "ux/core/UxPath.h"
#include "ux/core/UxPathResolver.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The units' bytes as they lie in memory: little-endian on every machine we build for.
std::string Utf16Le(const std::u16string& s)
{
    return std::string(reinterpret_cast<const char*>(s.data()), s.size() * 2);
}

TEST(UxStreams, MemoryReaderStaysInsideItsBlock)
{
    const char data[] = "0123456789";
    UxMemoryStream m(data, 10);
    EXPECT_TRUE(m.Seek(10, 0));
    EXPECT_FALSE(m.Seek(11, 0));
    EXPECT_FALSE(m.Seek(-1, 0));
    EXPECT_EQ(m.Tell(), 10);
    EXPECT_TRUE(m.Seek(-3, 2));
    EXPECT_EQ(m.Tell(), 7);
    char out[10] = {};
    EXPECT_FALSE(m.Read(out, 5));
    EXPECT_EQ(m.GetLastCount(), 3u);
    EXPECT_EQ(std::string(out, 3), "789");
    m.Seek(2, 0);
    EXPECT_FALSE(m.Peek(out, 9)); // a short peek still steps back over what it read
    EXPECT_EQ(m.Tell(), 2);
}

TEST(UxStreams, FileWriterAndReader)
{
    TempFolder dir;
    std::wstring path = dir.Designed("f.bin");
    {
        UxFileWriter w;
        EXPECT_FALSE(w.Write("x", 1)); // nothing open
        EXPECT_FALSE(w.Open(path, 2));
        ASSERT_TRUE(w.Open(path, 0));
        EXPECT_TRUE(w.Write("hello", 5));
        EXPECT_EQ(w.Tell(), 5);
    }
    {
        UxFileWriter w;
        ASSERT_TRUE(w.Open(path, 1));
        EXPECT_TRUE(w.Write(" world", 6));
    }
    EXPECT_EQ(dir.Read("f.bin"), "hello world");

    UxFileReader r;
    ASSERT_TRUE(r.Open(path));
    char buf[16] = {};
    EXPECT_TRUE(r.Peek(buf, 5));
    EXPECT_EQ(r.Tell(), 0);
    EXPECT_TRUE(r.Seek(-5, 2));
    EXPECT_EQ(r.Tell(), 6);
    EXPECT_FALSE(r.Read(buf, 10));
    EXPECT_EQ(r.GetLastCount(), 5u);
    EXPECT_EQ(std::string(buf, 5), "world");

    EXPECT_TRUE(RemoveFile(path));
    EXPECT_FALSE(RemoveFile(path));
    EXPECT_EQ(GetFileLength(path), 0);
    UxFileReader missing;
    EXPECT_FALSE(missing.Open(path));
    EXPECT_EQ(ReadTextFile(path), L"");
}

TEST(UxTextFiles, ByteOrderMarksDecideTheEncoding)
{
    TempFolder dir;
    auto read = [&](const std::string& bytes) {
        dir.Write("t.txt", bytes);
        return ReadTextFile(dir.Designed("t.txt"));
    };
    EXPECT_EQ(read(std::string("\xFF\xFE\x41\x00", 4)), L"A");
    EXPECT_EQ(read("\xEF\xBB\xBF\x41"), L"A");
    EXPECT_EQ(read("\xEF\xBB"), L"");
    EXPECT_EQ(read("AB"), L"");
    EXPECT_EQ(read("ABC"), L"ABC");
    EXPECT_EQ(read("\xB0\xA1\xB3\xAA!"), L"\uac00\ub098!");
    EXPECT_EQ(read("\xEF\xBB\xBF\xF0\x9F\x98\x80\xEA\xB0\x80"), L"\U0001F600\uac00");
    EXPECT_EQ(read("\xFF\xFE" + Utf16Le(u"\U0001F600x") + "\x41"), L"\U0001F600x"); // odd byte dropped
    // A zero unit ends only its own chunk.
    EXPECT_EQ(read("\xFF\xFE" + Utf16Le(std::u16string(u"ab\0c", 4))), L"ab");

    dir.Write("u.txt", Utf16Le(u"\uac00z"));
    EXPECT_EQ(ReadUtf16File(dir.Designed("u.txt")), L"\uac00z");
    EXPECT_EQ(ReadBytesFile(dir.Designed("u.txt")), ""); // the chunk ends at its first zero byte
}

TEST(UxTextFiles, LongFilesAreReadWholeAcrossChunks)
{
    TempFolder dir;
    // UTF-16: the mark leaves 8,191 units per chunk from byte 2; put a pair across the
    // first chunk's end and a lone high half at the file's end.
    std::u16string units(8190, u'a');
    units += u"\U0001F600";
    units += std::u16string(9000, u'b');
    units += u'\xD800';
    dir.Write("w.txt", "\xFF\xFE" + Utf16Le(units));
    std::wstring expected = std::wstring(8190, L'a') + L"\U0001F600" + std::wstring(9000, L'b') + L"\uFFFD";
    EXPECT_EQ(ReadTextFile(dir.Designed("w.txt")), expected);

    // EUC-KR: a pair across the first 8,191-byte chunk's end.
    std::string euc = std::string(8190, 'a') + "\xB0\xA1" + std::string(9000, 'b');
    dir.Write("e.txt", euc);
    EXPECT_EQ(
        ReadTextFile(dir.Designed("e.txt")), std::wstring(8190, L'a') + L"\uac00" + std::wstring(9000, L'b'));
    EXPECT_EQ(ReadBytesFile(dir.Designed("e.txt")), euc);
}

TEST(UxPaths, ResolverAndSplitting)
{
    UxPathResolver resolver;
    resolver.SetBase(2, L"\\Program Files\\App\\");
    EXPECT_EQ(resolver.GetBase(2), L"\\Program Files\\App");
    EXPECT_EQ(resolver.Resolve(2, L"Image\\Skin.dat"), L"\\Program Files\\App\\Image\\Skin.dat");
    EXPECT_EQ(resolver.Resolve(2, L"/x.wav"), L"\\Program Files\\App/x.wav");
    EXPECT_EQ(resolver.Resolve(2, L"\\Windows\\x.wav"), L"\\Windows\\x.wav");
    EXPECT_EQ(resolver.Resolve(2, L"C:x.wav"), L"C:x.wav");
    EXPECT_EQ(resolver.Resolve(1, L"Sound\\a.wav"), L"Sound\\a.wav"); // base not set

    auto split = [](const wchar_t* path) {
        std::vector<std::wstring> parts(4, L"-");
        SplitPath(path, &parts[0], &parts[1], &parts[2], &parts[3]);
        return parts;
    };
    using Parts = std::vector<std::wstring>;
    EXPECT_EQ(split(L"C:\\a\\b.c\\name.tar.gz"), (Parts { L"C:", L"\\a\\b.c\\", L"name.tar", L".gz" }));
    EXPECT_EQ(split(L"a.b\\noext"), (Parts { L"", L"a.b\\", L"noext", L"-" }));
    EXPECT_EQ(split(L"x"), Parts(4, L"-")); // too short: nothing filled
    EXPECT_EQ(GetFileExtension(L"Image/photo.PNG"), L".PNG");
    EXPECT_EQ(GetFileExtension(L"Image\\photo"), L"");
}

TEST(UxPaths, DesignedPathsReachTheFilesWhateverTheirCase)
{
    TempFolder dir;
    dir.Write("Image/skin.DAT", "skin");
    EXPECT_EQ(ReadBytesFile(dir.Designed() + L"\\image\\SKIN.dat"), "skin");
    EXPECT_EQ(GetFileLength(dir.Designed() + L"\\IMAGE\\Skin.Dat"), 4);
    // A new file in a folder named in another case lands in that folder.
    UxFileWriter w;
    ASSERT_TRUE(w.Open(dir.Designed() + L"\\IMAGE\\New.txt", 0));
    EXPECT_TRUE(w.Write("n", 1));
    w.Open(L"", 0);
    EXPECT_EQ(dir.Read("Image/New.txt"), "n");
    EXPECT_FALSE(UxFileReader().Open(dir.Designed() + L"\\Sound\\skin.dat"));
    EXPECT_FALSE(UxFileReader().Open(dir.Designed() + L"\\Image")); // a folder is not a file
    EXPECT_EQ(GetFileLength(dir.Designed() + L"\\Image"), 0);

    std::wstring module = GetModuleDirectory();
    EXPECT_TRUE(module.ends_with(L'\\'));
    EXPECT_TRUE(std::filesystem::is_directory(plat::NativePath(module)));
}

} // namespace
