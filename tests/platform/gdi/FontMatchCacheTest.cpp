#include "platform/gdi/FontLibrary.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TraceCapture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace plat;

namespace {

// Cache and font settings in a folder of the test's own, never the machine's.
class FontMatchCacheTest : public ::testing::Test {
protected:
    std::string CachePath() const { return home.Native("cache/quorix/fontmatch"); }

    // A fresh library's answer for the Hangul face, and whether it had to load fontconfig.
    static std::string HangulFile(bool* loaded = nullptr)
    {
        FontLibrary library;
        FontLibrary::Match match;
        library.MatchFile("NanumGothic", "ko", false, false, false, match);
        if (loaded)
            *loaded = library.ConfigLoaded();
        return match.file;
    }

    TempFolder home;
    ScopedEnv cacheHome { "XDG_CACHE_HOME", home.Native("cache") };
    ScopedEnv configHome { "XDG_CONFIG_HOME", home.Native("config") };
};

TEST_F(FontMatchCacheTest, ALaterLibraryAnswersFromTheFileWithoutLoadingFontconfig)
{
    std::string hangul;
    {
        FontLibrary first;
        FontLibrary::Match match;
        ASSERT_TRUE(first.MatchFile("NanumGothic", "ko", false, false, false, match));
        EXPECT_TRUE(first.ConfigLoaded());
        hangul = match.file;
        EXPECT_NE(hangul.find("NanumGothic"), std::string::npos) << hangul;
        EXPECT_FALSE(first.MatchFile("No Such Family Qx", nullptr, true, false, true, match));
    }
    struct stat folder {};
    ASSERT_EQ(stat(home.Native("cache/quorix").c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);

    FontLibrary later;
    FontLibrary::Match match;
    EXPECT_TRUE(later.MatchFile("NanumGothic", "ko", false, false, false, match));
    EXPECT_EQ(match.file, hangul);
    EXPECT_FALSE(later.MatchFile("No Such Family Qx", nullptr, true, false, true, match))
        << "\"nothing usable\" is kept too";
    EXPECT_FALSE(later.ConfigLoaded());
    // A character the chosen face lacks still finds its fallback through fontconfig.
    FcPattern* pattern = later.MakePattern("NanumGothic", nullptr, false, false);
    EXPECT_NE(pattern, nullptr);
    EXPECT_TRUE(later.ConfigLoaded());
    if (pattern)
        FcPatternDestroy(pattern);

    ScopedEnv fontconfigPath("FONTCONFIG_PATH", home.Native());
    EXPECT_EQ(FontMatchCache::Path(), "") << "fontconfig pointed elsewhere turns the cache off";
}

TEST_F(FontMatchCacheTest, AChangedStampAsksFontconfigAgainAndRewritesTheFile)
{
    bool loaded = false;
    const std::string hangul = HangulFile();
    const std::string before = home.Read("cache/quorix/fontmatch");

    // A folder of the user's font settings appears.
    std::filesystem::create_directories(home.Native("config/fontconfig"));
    EXPECT_EQ(HangulFile(&loaded), hangul);
    EXPECT_TRUE(loaded);
    EXPECT_NE(home.Read("cache/quorix/fontmatch"), before) << "the file carries the new stamp";
    EXPECT_EQ(HangulFile(&loaded), hangul);
    EXPECT_FALSE(loaded);

    // A cached face whose file changed, then one whose file is gone.
    const std::string copy = home.Native("NanumCopy.ttf");
    std::filesystem::copy_file(hangul, copy);
    auto pointAtCopy = [&] {
        FontMatchCache cache;
        ASSERT_TRUE(cache.Load(CachePath()));
        for (auto& [key, entry] : cache.entries)
            if (entry.match.file == hangul) {
                entry.match.file = copy;
                ASSERT_TRUE(FontMatchCache::StampOf(copy, entry.file));
            }
        ASSERT_TRUE(cache.Save(CachePath()));
    };
    pointAtCopy();
    EXPECT_EQ(HangulFile(&loaded), copy) << "the cache is what answers";
    EXPECT_FALSE(loaded);
    std::ofstream(copy, std::ios::app) << "x";
    EXPECT_EQ(HangulFile(&loaded), hangul);
    EXPECT_TRUE(loaded);

    pointAtCopy();
    std::filesystem::remove(copy);
    EXPECT_EQ(HangulFile(&loaded), hangul);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(home.Read("cache/quorix/fontmatch").find(copy), std::string::npos);
}

TEST_F(FontMatchCacheTest, ADamagedFileIsIgnoredAndReplaced)
{
    const std::string hangul = HangulFile();
    const std::string good = home.Read("cache/quorix/fontmatch");
    for (const std::string& damaged : { std::string("\x01\xff garbage\n"), good.substr(0, good.size() - 1),
             good + "M key-without-fields\n", std::string(FontMatchCache::kMaxBytes + 1, '\n'),
             "Quorix font matches 1" + good.substr(good.find('\n')) }) {
        home.Write("cache/quorix/fontmatch", damaged);
        bool loaded = false;
        EXPECT_EQ(HangulFile(&loaded), hangul);
        EXPECT_TRUE(loaded);
        FontMatchCache cache;
        EXPECT_TRUE(cache.Load(CachePath())) << "rewritten whole";
    }
}

// A rule of the user's that makes one family name another.
std::string AliasRule(const std::string& alias, const std::string& family)
{
    return "<?xml version=\"1.0\"?>\n<fontconfig><match target=\"pattern\"><test name=\"family\"><string>" + alias
        + "</string></test><edit name=\"family\" mode=\"assign\" binding=\"strong\"><string>" + family
        + "</string></edit></match></fontconfig>\n";
}

std::string FaceFile(const char* family, bool* loaded)
{
    FontLibrary library;
    FontLibrary::Match match;
    library.MatchFile(family, nullptr, false, false, false, match);
    *loaded = library.ConfigLoaded();
    return std::filesystem::path(match.file).filename();
}

TEST_F(FontMatchCacheTest, ARuleEditedInPlaceChangesTheFaceAtTheNextStart)
{
    // One rule in the user's conf.d, one behind a link there as distributions link theirs.
    home.Write("config/fontconfig/conf.d/60-alias.conf", AliasRule("Qx Alias", "DejaVu Sans"));
    home.Write("avail/61-linked.conf", AliasRule("Qx Linked", "DejaVu Sans"));
    std::filesystem::create_symlink(
        home.Native("avail/61-linked.conf"), home.Native("config/fontconfig/conf.d/61-linked.conf"));
    bool loaded = false;
    EXPECT_EQ(FaceFile("Qx Alias", &loaded), "DejaVuSans.ttf");
    EXPECT_EQ(FaceFile("Qx Linked", &loaded), "DejaVuSans.ttf");
    EXPECT_EQ(FaceFile("Qx Alias", &loaded), "DejaVuSans.ttf");
    EXPECT_FALSE(loaded) << "answered from the cache";

    home.Write("config/fontconfig/conf.d/60-alias.conf", AliasRule("Qx Alias", "NanumGothic"));
    EXPECT_EQ(FaceFile("Qx Alias", &loaded), "NanumGothic.ttf");
    EXPECT_TRUE(loaded);
    home.Write("avail/61-linked.conf", AliasRule("Qx Linked", "NanumGothic"));
    EXPECT_EQ(FaceFile("Qx Linked", &loaded), "NanumGothic.ttf");
    EXPECT_TRUE(loaded);
    EXPECT_EQ(FaceFile("Qx Linked", &loaded), "NanumGothic.ttf");
    EXPECT_FALSE(loaded);
}

TEST_F(FontMatchCacheTest, AFontAddedToAScannedFolderAsksAgainWhatMatchedNothing)
{
    ScopedEnv dataHome("XDG_DATA_HOME", home.Native("data"));
    std::filesystem::create_directories(home.Native("data/fonts/more"));
    const auto nothing = [](bool* loaded) {
        FontLibrary library;
        FontLibrary::Match match;
        const bool found = library.MatchFile("No Such Family Qx", nullptr, false, false, true, match);
        *loaded = library.ConfigLoaded();
        return found;
    };
    bool loaded = false;
    EXPECT_FALSE(nothing(&loaded));
    EXPECT_FALSE(nothing(&loaded));
    EXPECT_FALSE(loaded);
    // Into a sub-folder: the folders above it do not change.
    std::filesystem::copy_file(HangulFile(), home.Native("data/fonts/more/Added.ttf"));
    EXPECT_FALSE(nothing(&loaded));
    EXPECT_TRUE(loaded);
}

// A font tree of more folders than a line each could stamp (a TeX installation's, a large
// collection), added by a rule of the user's.
TEST_F(FontMatchCacheTest, AThousandFontFoldersKeepTheCacheAndAFontAddedDeepInThemIsSeen)
{
    for (int group = 0; group < 40; ++group)
        for (int leaf = 0; leaf < 30; ++leaf)
            std::filesystem::create_directories(
                home.Native("tree/g" + std::to_string(group) + "/f" + std::to_string(leaf)));
    home.Write("config/fontconfig/fonts.conf",
        "<?xml version=\"1.0\"?>\n<fontconfig><dir>" + home.Native("tree") + "</dir></fontconfig>\n");
    bool loaded = false;
    const std::string face = FaceFile("DejaVu Sans", &loaded);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(FaceFile("DejaVu Sans", &loaded), face);
    EXPECT_FALSE(loaded) << "answered from the cache";
    EXPECT_LT(home.Read("cache/quorix/fontmatch").size(), size_t(128 * 1024));

    // A font put in the last folder of all: the next start asks fontconfig.
    std::filesystem::copy_file(HangulFile(), home.Native("tree/g39/f29/Added.ttf"));
    EXPECT_EQ(FaceFile("DejaVu Sans", &loaded), face);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(FaceFile("DejaVu Sans", &loaded), face);
    EXPECT_FALSE(loaded);

    // A folder no line can name: the cache is not written, and the log says so.
    std::filesystem::create_directories(home.Native("tree/g0/two\nlines"));
    TraceCapture trace;
    EXPECT_EQ(FaceFile("DejaVu Sans", &loaded), face);
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(trace.Contains(L"the font match cache is not written")) << trace.lines.size();
    EXPECT_EQ(FaceFile("DejaVu Sans", &loaded), face);
    EXPECT_TRUE(loaded);
}

TEST_F(FontMatchCacheTest, OnlyAFileOfTheUsersOwnIsRead)
{
    const std::string hangul = HangulFile();
    const std::string good = home.Read("cache/quorix/fontmatch");
    // A reader held at a FIFO is let go after a while, and the test fails.
    const auto loadsAtOnce = [&](const std::string& fifo) {
        auto load = std::async(std::launch::async, [&] { return FontMatchCache().Load(CachePath()); });
        if (load.wait_for(std::chrono::seconds(5)) == std::future_status::ready)
            return !load.get();
        const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            close(writer);
        load.wait();
        return false;
    };
    std::filesystem::remove(CachePath());
    ASSERT_EQ(mkfifo(CachePath().c_str(), 0600), 0);
    ASSERT_TRUE(loadsAtOnce(CachePath())) << "a FIFO";
    std::filesystem::remove(CachePath());
    ASSERT_EQ(mkfifo(home.Native("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(home.Native("fifo"), CachePath());
    ASSERT_TRUE(loadsAtOnce(home.Native("fifo"))) << "a link to a FIFO";
    bool loaded = false;
    EXPECT_EQ(HangulFile(&loaded), hangul);
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(FontMatchCache().Load(CachePath())) << "replaced by a file";

    // Someone else's file, or a folder of someone else's: not read.
    if (geteuid() == 0) {
        ASSERT_EQ(chown(CachePath().c_str(), 4242, 4242), 0);
        EXPECT_FALSE(FontMatchCache().Load(CachePath()));
        std::filesystem::remove(CachePath());
        home.Write("cache/quorix/fontmatch", good);
        ASSERT_EQ(chown(home.Native("cache/quorix").c_str(), 4242, 4242), 0);
        EXPECT_FALSE(FontMatchCache().Load(CachePath()));
        ASSERT_EQ(chown(home.Native("cache/quorix").c_str(), 0, 0), 0);
        EXPECT_TRUE(FontMatchCache().Load(CachePath()));
    }
}

TEST(FontMatchCacheFile, ReadsWhatItWritesAndRefusesWhatIsOutOfBounds)
{
    FontMatchCache cache;
    cache.stamp.lines = { "conf.d 2049:17:1700000000.5", "LANG=ko_KR.UTF-8" };
    cache.stamp.paths = { "/etc/fonts/fonts.conf", "/usr/share/fonts/a b" };
    cache.stamp.digest = "0123456789abcdef";
    cache.entries["NanumGothic|ko||"] = { { "/fonts/NanumGothic.ttf", 0 }, { 4691820, 1600000000, 999999999 } };
    cache.entries["Tahoma||b|f"] = { { "", 0 }, {} };
    const std::string text = cache.Serialize();
    FontMatchCache read;
    ASSERT_TRUE(read.Parse(text));
    EXPECT_EQ(read.Serialize(), text);
    EXPECT_EQ(read.entries.at("NanumGothic|ko||").file.size, 4691820u);
    EXPECT_EQ(read.stamp, cache.stamp);

    const std::string header = text.substr(0, text.find('\n') + 1);
    const std::string digest = "D 0 0123456789abcdef\n";
    auto line = [&](const std::string& fields) { return header + digest + "M " + fields + "\n"; };
    EXPECT_TRUE(read.Parse(line("k\t/f\t2147483647\t1\t-5\t0")));
    for (const std::string& bad : {
             std::string("Quorix font matches 1\n") + digest, // an earlier version's file is stale
             line("k\t/f\t2147483648\t1\t1\t0"), // index past an int
             line("k\t/f\t0\t1\t1\t1000000000"), // nanoseconds past a second
             line("k\t/f\t0\t1\t1"), line("k\t/f\t0\t1\t1\t0\t9"), line("\t/f\t0\t1\t1\t0"),
             line("k\t/f\t0\t99999999999999999999\t1\t0"), line("k\t/f\t+1\t1\t1\t0"),
             line("k\t/f\t0\t1\t1\t0") + "M k\t/g\t0\t1\t1\t0\n", // the same key twice
             header + digest + "X what\n",
             header + digest + "S " + std::string(FontMatchCache::kMaxLine, 'a') + "\n",
             header, // no digest
             header + digest + digest,
             header + "P /a\n" + digest, // the count is not the paths'
             header + "P /a\nD 1 0123456789ABCDEF\n", header + "P /a\nD 1 0123456789abcde\n",
             header + "P \n" + "D 1 0123456789abcdef\n",
         }) {
        EXPECT_FALSE(read.Parse(bad)) << bad;
        EXPECT_TRUE(read.entries.empty() && read.stamp == FontMatchCache::Stamp {});
    }
    std::string many = header + digest;
    for (size_t i = 0; i <= FontMatchCache::kMaxEntries; ++i)
        many += "M k" + std::to_string(i) + "\t\t0\t0\t0\t0\n";
    EXPECT_FALSE(read.Parse(many));
    many = header;
    for (size_t i = 0; i < FontMatchCache::kMaxPaths; ++i)
        many += "P /p\n";
    EXPECT_TRUE(read.Parse(many + "D " + std::to_string(FontMatchCache::kMaxPaths) + " 0123456789abcdef\n"));
    EXPECT_FALSE(read.Parse(many + "P /p\nD " + std::to_string(FontMatchCache::kMaxPaths + 1) + " 0123456789abcdef\n"));
}

} // namespace
