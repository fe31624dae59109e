// The default skin as the program reads it: every value the shared screens read is there,
// every picture and sound it names loads, and the generator still makes the same files.
#include "platform/system/FileSystem.h"
#include "platform/system/Sound.h"
#include "tests/support/TempFolder.h"
#include "tests/ux/graphics/GraphicsFixture.h"
#include "ux/core/UxPathResolver.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/graphics/UxFontPool.h"
#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/markup/UxXmlSkinHelper.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ProgramFolder()
{
    return fs::path(plat::NativePath(plat::GetModuleFileName())).parent_path().string();
}

std::wstring Wide(const std::string& s)
{
    return std::wstring(s.begin(), s.end());
}

class SkinCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::wstring folder = plat::DesignedPath(ProgramFolder());
        resolver.SetBase(0, folder + L"\\Image\\");
        resolver.SetBase(1, folder + L"\\Sound\\");
        resolver.SetBase(2, folder);
        ASSERT_TRUE(skin->LoadFile(L"Image\\Skin.dat"));
    }
    void TearDown() override { delete skin; }

    // "A/B/C" from the skin root.
    UxXmlNode* At(const std::string& path)
    {
        UxXmlNode* node = skin;
        std::stringstream parts(path);
        std::string name;
        while (node && std::getline(parts, name, '/'))
            node = node->FindChild(Wide(name));
        return node;
    }

    UxPathResolver resolver;
    UxDeviceImagePool images;
    UxFontPool fonts;
    UxXmlSkinHelper* skin = new UxXmlSkinHelper;
};

// Every element of the tree, with its path.
void Walk(UxXmlNode* node, const std::string& path, std::vector<std::pair<std::string, UxXmlNode*>>& out)
{
    for (size_t i = 0; i < node->GetChildCount(); ++i) {
        UxXmlNode* child = node->GetChild(i);
        if (child->GetKind() != 3)
            continue;
        std::string name(child->GetName().begin(), child->GetName().end());
        out.emplace_back(path + "/" + name, child);
        Walk(child, path + "/" + name, out);
    }
}

using Keys = std::vector<std::string>;

Keys Join(std::initializer_list<Keys> parts)
{
    Keys all;
    for (const Keys& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The keys of a button (or check button) node named name.
Keys Button(const std::string& name, const char* second = "ClickedImage")
{
    return { name + "/_Rect", name + "/DefaultImage/File", name + "/" + second + "/File" };
}

// What the shared screens read, section by section; each screen adds its own rows.
std::vector<std::pair<std::string, Keys>> RequiredKeys()
{
    const Keys popup = { "_Size", "PresentInfo/DrawMethod", "PresentInfo/ColorKey", "TSkin/File",
        "TSkin/ImageCoord", "MSkin/File", "MSkin/ImageCoord", "BSkin/File", "BSkin/ImageCoord" };
    const Keys box = { "Icon/File", "TitleText/FontSize", "Line/File" };
    const Keys text = { "Text/_Rect", "Text/_RectForCheckBox", "Text/Styles", "OkButton/DefaultLabel/Text" };
    const Keys menu = { "_TableViewItemHeight", "_BackColor", "SelectionBar/File", "SelectionBar/_Rect",
        "Line/File", "Line/_Rect", "Text/_Rect", "Text/TextColor", "Text/TextColorSelected" };
    const Keys header = { "_Rect", "BackSkin/File" };
    // A list view of rows drawn from items.
    const Keys list = { "View/_Rect", "View/_TableViewItemHeight", "View/_BackColor", "View/SelectionBar/File",
        "View/SelectionBar/_Rect", "View/Line/File", "View/Line/_Rect" };
    Keys tabs = { "_Rect", "NotifyIcon/File" };
    // The tab window lays its tabs out itself.
    for (const char* tab : { "Tab1/", "Tab2/", "Tab3/", "Tab4/" })
        for (const char* key : { "DefaultImage/File", "CheckedImage/File", "DefaultLabel/Text" })
            tabs.push_back(tab + std::string(key));
    Keys statuses;
    for (const char* size : { "Big/", "Small/" })
        for (const char* status : { "Online", "Away", "Busy", "Offline", "BlockedOnline", "BlockedOffline" })
            statuses.push_back(std::string(size) + status);
    return {
        { "MsgBox",
            Join({ popup, box, text, Button("OkButton"), Button("YesButton"), Button("NoButton"),
                Button("CheckBox", "CheckedImage"), { "CheckBoxText/_Rect" } }) },
        { "NotifyBox", Join({ popup, box, text, Button("OkButton") }) },
        { "UpgradeBox",
            Join({ popup, box,
                { "ProgressBar/_Rect", "ProgressBar/Direction", "ProgressBar/BackSkin/File",
                    "ProgressBar/BarSkin/_Rect", "ProgressBar/BarSkin/ImageCoord",
                    "ProgressBar/Label/_Rect" } }) },
        { "Menu", Join({ popup, { "Layout/Margin", "Layout/Spacing" } }) },
        { "MenuAccount", Join({ menu, { "Items" } }) },
        { "MenuEmoticon", Join({ menu, { "Icon/_Rect" } }) },
        { "MenuMemoBox", menu },
        { "MenuCopy", Join({ menu, { "_Size" } }) },
        { "MenuSystem", menu },
        { "StatusBar/Default",
            Join({ header, { "StatusIcon/File", "Nick/TextColor" }, Button("MailIcon"),
                Button("LumastaIcon") }) },
        { "StatusBar/Disclosure",
            Join({ header, { "Title/_Rect" }, Button("BackButton"), Button("BuddyAddButton"),
                Button("GroupAddButton") }) },
        { "StatusBar/Chat",
            Join({ header, Button("BackButton"), Button("CloseButton"),
                { "PageIndicator/_Rect", "PageIndicator/NumPages", "PageIndicator/PageSize",
                    "PageIndicator/PageSpacing", "PageIndicator/Page/DefaultImage/File",
                    "PageIndicator/Page/CheckedImage/File", "PageIndicator/Prev/File",
                    "PageIndicator/Next/File" } }) },
        { "TabBar", tabs },
        { "MenuBar",
            Join({ header, Button("SipButton", "CheckedImage"), Button("SystemMenuButton"),
                { "SipButton/HangulText", "SipButton/LatinText", "SipButton/DefaultLabel/FontSize",
                    "SipButton/CheckedLabel/FontSize", "ChatNotifyImage/File", "MemoNotifyImage/File" } }) },
        { "_StatusIconList", statuses },
        { "_EmoticonList", { "RGB/Emoticon/Text", "RGBA/Emoticon/Text" } },
        // Chat
        { "Chat",
            Join({ { "_Rect", "_BackColor", "View/_Rect", "View/BuddyIcon/File", "View/Title/_Rect",
                       "View/TSkin/File", "View/BSkin/File", "View/LSkin/File", "View/RSkin/File", "View/Output/_Rect",
                       "View/Output/FontSize", "View/Output/BackColor", "View/Output/TextColorSystem",
                       "View/Output/TextColorMe", "View/Output/TextColorOther", "View/Output/TextColorError",
                       "View/Date/_Rect", "InputBar/_Rect", "InputBar/BackSkin/File", "InputBar/Input/_Rect",
                       "InputBar/Input/TextGuide/Text", "InputBar/DisabledReason/_Rect" },
                Button("View/InviteButton"), Button("View/NewLinesButton"), { "View/NewLinesButton/DefaultLabel/Text" },
                Button("InputBar/EmoticonButton") }) },
        { "ChatList",
            Join({ { "TitleBar/_Rect", "TitleBar/BackSkin/File", "TitleBar/Icon/File", "TitleBar/Text/Text",
                       "View/NewIcon/File", "View/NewIcon/_Rect", "View/BuddyIcon/File", "View/Title/_Rect",
                       "View/Date/TextColorSelected", "View/DisclosureButton/_Rect", "View/HelpText/Text" },
                { "View/_TableViewItemHeight", "View/_BackColor", "View/SelectionBar/File", "View/Line/File",
                    "View/Title/TextColorSelected" } }) },
        { "ChatInfo",
            Join({ { "_Rect", "View/_Rect", "View/BuddyIcon/File", "View/BuddyName/_Rect", "View/BuddyNick/_Rect",
                       "View/BuddyNick/TextColorSelected", "View/DisclosureButton/File", "View/SelectionBar/File",
                       "View/Line/File", "View/_TableViewItemHeight", "View/_BackColor" } }) },
        // Login
        { "Login/Counter",
            Join({ { "_Rect", "BackSkin/File", "CopyrightLabel/Text", "IdText/Text", "IdSkin/File", "IdEdit/_Rect",
                       "AccountText/Text", "AccountSkin/File", "AccountEdit/Styles", "PasswordText/Text",
                       "PasswordSkin/_Rect", "PasswordEdit/Styles", "LoginAsOfflineText/Text",
                       "KeepIdPasswordText/Text" },
                Button("AccountButton"), Button("LoginAsOfflineCheckBox", "CheckedImage"),
                Button("KeepIdPasswordCheckBox", "CheckedImage"), Button("LoginButton") }) },
        { "Login/Gate",
            Join({ { "_Rect", "BackSkin/File", "CopyrightLabel/Text", "IdText/_Rect", "LoginAsOfflineText/Text" },
                Button("LoginAsOfflineCheckBox", "CheckedImage"), Button("LoginButton"),
                Button("LoginWithOtherIdButton") }) },
        // Memos
        { "MemoList/TitleBar",
            Join({ header, { "BoxText/_Rect", "BoxText/Text" }, Button("BoxButton"), Button("WriteButton") }) },
        { "MemoList/View",
            { "_Rect", "_TableViewItemHeight", "_BackColor", "SelectionBar/File", "Line/File", "UnreadIcon/File",
                "ReadIcon/File", "Title/_Rect", "Title/TextColor", "Title/TextColorRead",
                "Title/TextColorSelected", "From/TextColorSelected", "Date/TextColorSelected", "More/_Rect",
                "More/TextColorSelected" } },
        { "MemoRead/ButtonBar",
            Join({ { "_Rect" }, Button("ReplyButton"), Button("ReplyAllButton"), Button("ForwardButton"),
                Button("DeleteButton"), Button("SpamButton") }) },
        { "MemoRead/View",
            { "_Rect", "_BackColor", "TSkin/File", "MTSkin/File", "MBSkin/File", "LSkin/File", "RSkin/File",
                "BSkin/File", "FromText/Text", "ToText/Text", "From/_Rect", "To/_Rect", "Date/_Rect",
                "Content/_Rect", "Content/Styles" } },
        { "MemoWrite/View",
            Join({ { "_Rect", "_BackColor", "BackSkin/File", "ReceiverSkin/File", "ReceiverText/_Rect",
                       "Message/_Rect", "Message/KeyboardType" },
                Button("ReceiverButton"), Button("SendButton") }) },
        // Buddy screens
        { "BuddyProfile",
            Join({ Join({ list, { "View/LText/_Rect", "View/RText/_Rect", "View/BuddyIcon/File",
                                    "View/ChatIcon/File", "View/MemoIcon/File", "View/DisclosureButton/File",
                                    "ButtonBar/_Rect", "ButtonBar/_BackColor" } }),
                Button("ButtonBar/BlockButton"), Button("ButtonBar/DeleteButton") }) },
        { "BuddyAdd",
            Join({ list,
                { "View/LText/_Rect", "View/RText/_Rect", "View/IdSkin/File", "View/AccountSkin/File",
                    "View/DisclosureButton/File", "View/IdEdit/_Rect", "View/AccountEdit/Styles",
                    "View/RequestMessage/_Rect" },
                Button("View/AccountButton") }) },
        { "BuddyRequestList",
            Join({ list,
                { "View/BuddyIcon/File", "View/BuddyName/_Rect", "View/BuddyId/TextColorSelected",
                    "View/DisclosureButton/File", "View/HelpText/Text" } }) },
        { "BuddyRequestInfo",
            Join({ list,
                { "View/LText/_Rect", "View/RText/_Rect", "View/DisclosureButton/File", "ButtonBar/_Rect",
                    "ButtonBar/_BackColor" },
                Button("ButtonBar/AcceptButton"), Button("ButtonBar/RejectButton") }) },
        { "BuddySelect",
            Join({ list,
                { "SearchBar/_Rect", "SearchBar/BackSkin/File", "SearchBar/SearchIcon/File",
                    "SearchBar/RollbackIcon/File", "SearchBar/SearchWord/_Rect", "View/GroupIcon/ImageCoordCollapsed",
                    "View/GroupName/TextColorSelected", "View/CheckBoxUnchecked/File", "View/CheckBoxChecked/File",
                    "View/BuddyIcon/File", "View/BuddyName/_Rect", "View/BuddyNick/_Rect", "View/BuddyNameOnly/_Rect" } }) },
        { "GroupAdd",
            { "TitleBar/_Rect", "TitleBar/_BackColor", "TitleBar/HelpText1/Text", "TitleBar/HelpText2/Text",
                "View/_Rect", "View/_BackColor", "View/BackSkin/File", "View/GroupName/_Rect" } },
        { "GroupSelect",
            Join({ list,
                { "TitleBar/_Rect", "TitleBar/_BackColor", "TitleBar/BuddyIcon/File", "TitleBar/BuddyName/_Rect",
                    "TitleBar/BuddyNick/_Rect", "View/GroupName/_Rect", "View/RadioBoxChecked/File",
                    "View/RadioBoxUnchecked/File" } }) },
        { "Login/Connecting",
            Join({ { "_Rect", "BackSkin/File", "CopyrightLabel/Text", "ProgressText/Text", "ProgressLed/NumLeds",
                       "ProgressLed/DefaultImage/File", "ProgressLed/CheckedImage/File" },
                Button("CancelButton") }) },
        // Options
        { "OptionList",
            Join({ { "TitleBar/_Rect", "TitleBar/BackSkin/File", "TitleBar/Icon/File", "TitleBar/Text/Text" }, list,
                { "View/LText/TextColor", "View/LText/TextColorSelected", "View/RText/_Rect",
                    "View/DisclosureButton/File" } }) },
        { "Option",
            Join({ { "TitleBar/_Rect", "TitleBar/_BackColor", "TitleBar/HelpText1/_Rect", "TitleBar/HelpText2/_Rect" },
                list,
                { "View/RadioBoxUnchecked/File", "View/RadioBoxChecked/File", "View/CheckBoxUnchecked/File",
                    "View/CheckBoxChecked/File", "View/StatusIcon/File", "View/TextWithStatusIcon/_Rect",
                    "View/Text/_Rect" } }) },
        { "OptionNick", { "View/_Rect", "View/_BackColor", "View/BackSkin/File", "View/Nick/_Rect", "View/Nick/MaxInput" } },
        { "OptionServiceInfo",
            { "View/_Rect", "View/_BackColor", "View/Logo/File", "View/VersionText/_Rect",
                "View/LastUpdateInfoText/Text", "View/PlatformInfoText/Text", "View/ApplicationName/Text",
                "View/Line/File", "View/TarvSupportText/Text", "View/SupportPhone/Text", "View/SupportMail/Text",
                "View/CopyrightText/Text" } },
    };
}

TEST_F(SkinCheck, SharedSectionsHoldEveryKeyTheirScreensRead)
{
    for (const auto& [section, keys] : RequiredKeys())
        for (const std::string& key : keys)
            EXPECT_NE(At(section + "/" + key), nullptr) << section << "/" << key;
    EXPECT_EQ(At("TabBar/NumTabs")->GetInt(), 4);

    // The account menu: twelve domains, the service's own first, then free entry.
    UxXmlNode* items = At("MenuAccount/Items");
    ASSERT_NE(items, nullptr);
    ASSERT_EQ(items->GetChildCount(), 13u);
    EXPECT_EQ(items->GetChild(0)->GetText(), L"quorix.net");
    EXPECT_EQ(items->GetChild(12)->GetText(), L"직접 입력");

    // The two emoticon lists name the same codes in the same order, each once.
    UxXmlNode* rgb = At("_EmoticonList/RGB");
    UxXmlNode* rgba = At("_EmoticonList/RGBA");
    ASSERT_TRUE(rgb && rgba);
    ASSERT_GE(rgb->GetChildCount(), 8u);
    ASSERT_EQ(rgb->GetChildCount(), rgba->GetChildCount());
    std::set<std::wstring> codes;
    for (size_t i = 0; i < rgb->GetChildCount(); ++i) {
        std::wstring code = rgb->GetChild(i)->FindChild(L"Text")->GetText();
        EXPECT_EQ(code, rgba->GetChild(i)->FindChild(L"Text")->GetText());
        EXPECT_TRUE(codes.insert(code).second) << "twice: " << i;
        // Messages carry a code between two slashes, and nothing else may end it early.
        EXPECT_TRUE(code.size() > 2 && code.front() == L'/' && code.find(L'/', 1) == code.size() - 1) << i;
    }
}

TEST_F(SkinCheck, EveryPictureLoadsAndEveryPlaceFitsInsideIt)
{
    std::vector<std::pair<std::string, UxXmlNode*>> nodes;
    Walk(skin, "", nodes);
    int pictures = 0;
    int animated = 0;
    for (auto& [path, node] : nodes) {
        if (!node->FindChild(L"File"))
            continue;
        UxImageItem item;
        ASSERT_TRUE(item.ApplySkin(node)) << path;
        UxDeviceImage* image = images.Find(item.GetHandle());
        ASSERT_NE(image, nullptr);
        const plat::RECT& coord = item.GetDesc().ImageCoord;
        EXPECT_TRUE(coord.left >= 0 && coord.top >= 0 && coord.right <= image->GetWidth()
            && coord.bottom <= image->GetHeight())
            << path;
        // A picture drawn one to one is not blurred by stretching.
        if (UxXmlNode* rect = node->FindChild(L"_Rect"); rect && path.find("Line") == std::string::npos
            && path.find("SelectionBar") == std::string::npos && path.find("BarSkin") == std::string::npos) {
            plat::RECT r = rect->GetRect();
            EXPECT_EQ(r.right - r.left, coord.right - coord.left) << path;
            EXPECT_EQ(r.bottom - r.top, coord.bottom - coord.top) << path;
        }
        animated += image->GetFrameCount() > 1;
        ++pictures;
    }
    EXPECT_GT(pictures, 100);
    EXPECT_GE(animated, 3);

    // Emoticons in text come at the size the input bar gives them, so nothing stretches.
    UxXmlNode* rgb = At("_EmoticonList/RGB");
    for (size_t i = 0; i < rgb->GetChildCount(); ++i) {
        UxImageItem item;
        ASSERT_TRUE(item.ApplySkin(rgb->GetChild(i)));
        EXPECT_EQ(item.GetDesc().ImageCoord.right, 20);
        EXPECT_EQ(item.GetDesc().ImageCoord.bottom, 20);
    }

    // Each status place lies inside the sheet the status bar shows.
    for (const char* size : { "Big", "Small" }) {
        UxXmlNode* list = At(std::string("_StatusIconList/") + size);
        UxImageItem sheet;
        UxImageDesc desc;
        desc.Image.FileName = std::string(size) == "Big" ? L"status_big.png" : L"status_small.png";
        ASSERT_TRUE(sheet.Load(desc));
        for (size_t i = 0; i < list->GetChildCount(); ++i) {
            plat::RECT r = list->GetChild(i)->GetRect();
            EXPECT_TRUE(r.left >= 0 && r.right > r.left && r.right <= sheet.GetDesc().ImageCoord.right
                && r.bottom <= sheet.GetDesc().ImageCoord.bottom)
                << size << " " << i;
        }
    }
}

// The pixels of an emoticon's picture drawn on white, row by row; false when it does not
// load or draw.
bool DrawnOnWhite(UxXmlNode* node, std::vector<uint32_t>& pixels)
{
    UxImageItem item;
    if (!item.ApplySkin(node))
        return false;
    const plat::RECT& ic = item.GetDesc().ImageCoord;
    auto surface = MakeSurface(ic.right, ic.bottom);
    surface->FillRect(0xFFFFFF, {});
    const plat::RECT all { 0, 0, ic.right, ic.bottom };
    if (!item.Draw(*surface, all, all, { ic.right, ic.bottom }))
        return false;
    for (int y = 0; y < ic.bottom; ++y)
        for (int x = 0; x < ic.right; ++x)
            pixels.push_back(PixelAt(*surface, x, y));
    return true;
}

TEST_F(SkinCheck, EachEmoticonHasAPictureOfItsOwn)
{
    // Both lists, the text's pictures and the picker's, as they first show.
    for (const char* list : { "_EmoticonList/RGB", "_EmoticonList/RGBA" }) {
        UxXmlNode* icons = At(list);
        ASSERT_NE(icons, nullptr);
        std::set<std::vector<uint32_t>> seen;
        for (size_t i = 0; i < icons->GetChildCount(); ++i) {
            std::vector<uint32_t> pixels;
            ASSERT_TRUE(DrawnOnWhite(icons->GetChild(i), pixels)) << list << " " << i;
            EXPECT_TRUE(seen.insert(pixels).second) << list << ": emoticon " << i << " looks like an earlier one";
        }
    }
}

TEST_F(SkinCheck, EmoticonsStandOutOnTheWhiteTheyAreShownOn)
{
    // Conversations and menus are white: most of what an emoticon draws must lie far
    // from white, or only its darkest detail shows (a pale cake showed just its candle).
    for (const char* list : { "_EmoticonList/RGB", "_EmoticonList/RGBA" }) {
        UxXmlNode* icons = At(list);
        ASSERT_NE(icons, nullptr);
        for (size_t i = 0; i < icons->GetChildCount(); ++i) {
            std::vector<uint32_t> pixels;
            ASSERT_TRUE(DrawnOnWhite(icons->GetChild(i), pixels)) << list << " " << i;
            int drawn = 0, strong = 0;
            for (uint32_t pixel : pixels) {
                const plat::COLORREF c = pixel & 0xFFFFFF;
                if (c == 0xFFFFFF)
                    continue;
                const int r = 255 - int(c & 0xFF), g = 255 - int(c >> 8 & 0xFF), b = 255 - int(c >> 16 & 0xFF);
                ++drawn;
                strong += r * r + g * g + b * b >= 100 * 100;
            }
            EXPECT_GE(strong * 10, drawn * 4) << list << ": emoticon " << i << " is pale on white (" << strong
                                              << " of " << drawn << " pixels stand out)";
        }
    }
}

TEST_F(SkinCheck, PartsSitInsideTheFramesTheyBelongTo)
{
    // The domain arrow lies inside the domain's frame, on the login form and on the add
    // form (whose frame is an item of its row, placed relative to the row).
    const auto inside = [](const plat::RECT& part, const plat::RECT& frame) {
        return part.left >= frame.left && part.right <= frame.right && part.top >= frame.top
            && part.bottom <= frame.bottom;
    };
    EXPECT_TRUE(inside(At("Login/Counter/AccountButton/_Rect")->GetRect(), At("Login/Counter/AccountSkin/_Rect")->GetRect()));
    const int32_t row = At("BuddyAdd/View/_TableViewItemHeight")->GetInt();
    plat::RECT frame = At("BuddyAdd/View/AccountSkin/_Rect")->GetRect();
    frame.top += row; // the domain's row is the second
    frame.bottom += row;
    EXPECT_TRUE(inside(At("BuddyAdd/View/AccountButton/_Rect")->GetRect(), frame));
    EXPECT_TRUE(inside(At("BuddyAdd/View/AccountEdit/_Rect")->GetRect(), frame));

    // A memo's text begins where the labels above it begin, and stays inside the card's
    // sides.
    const int32_t labels = At("MemoRead/View/FromText/_Rect")->GetRect().left;
    EXPECT_EQ(At("MemoRead/View/ToText/_Rect")->GetRect().left, labels);
    EXPECT_EQ(At("MemoRead/View/Date/_Rect")->GetRect().left, labels);
    const plat::RECT content = At("MemoRead/View/Content/_Rect")->GetRect();
    EXPECT_EQ(content.left, labels);
    EXPECT_EQ(At("MemoRead/View/LSkin/_Rect")->GetRect().right, content.left);
    EXPECT_EQ(At("MemoRead/View/RSkin/_Rect")->GetRect().left, content.right);
}

TEST_F(SkinCheck, KeyedPicturesLetTheBackgroundThrough)
{
    struct Case {
        const char* path;
        int x, y; // a pixel that must show the background
    } cases[] = {
        { "_EmoticonList/RGB/Emoticon", 0, 0 },
        { "_EmoticonList/RGBA/Emoticon", 0, 0 },
        { "MsgBox/OkButton/DefaultImage", 0, 0 },
    };
    for (const Case& c : cases) {
        UxImageItem item;
        ASSERT_TRUE(item.ApplySkin(At(c.path))) << c.path;
        const plat::RECT& ic = item.GetDesc().ImageCoord;
        auto surface = MakeSurface(ic.right, ic.bottom);
        surface->FillRect(0x00FF00, {});
        plat::RECT all { 0, 0, ic.right, ic.bottom };
        ASSERT_TRUE(item.Draw(*surface, all, all, { ic.right, ic.bottom })) << c.path;
        EXPECT_EQ(PixelAt(*surface, c.x, c.y), 0x00FF00u) << c.path;
        EXPECT_NE(PixelAt(*surface, ic.right / 2, ic.bottom / 2), 0x00FF00u) << c.path;
    }
}

TEST_F(SkinCheck, TextsAndTouchTargetsSuitTheScreen)
{
    std::vector<std::pair<std::string, UxXmlNode*>> nodes;
    Walk(skin, "", nodes);
    for (auto& [path, node] : nodes) {
        if (UxXmlNode* size = node->FindChild(L"FontSize")) {
            UxTextItem text;
            EXPECT_TRUE(text.ApplySkin(node)) << path;
            EXPECT_TRUE(size->GetInt() >= 16 && size->GetInt() <= 28) << path;
        }
        if (UxXmlNode* rect = node->FindChild(L"_Rect")) {
            plat::RECT r = rect->GetRect();
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= 480 && r.bottom <= 640) << path;
            // Anything that takes a tap (LEDs show, they take none).
            if (node->FindChild(L"DefaultImage") && !node->FindChild(L"NumLeds")) {
                EXPECT_GE(r.bottom - r.top, 44) << path;
            }
        }
    }
}

TEST_F(SkinCheck, SoundsPlay)
{
    plat::SetSoundOutputEnabled(false);
    plat::ClearSoundHistory();
    for (const wchar_t* name : { L"login.wav", L"buddy_login.wav", L"recv_chat.wav", L"recv_memo.wav" }) {
        std::wstring path = resolver.Resolve(1, name);
        ASSERT_TRUE(plat::sndPlaySoundW(path.c_str(), plat::SND_FILENAME | plat::SND_ASYNC)) << path;
        uint32_t ms = plat::GetSoundHistory().back().durationMs;
        EXPECT_TRUE(ms >= 200 && ms <= 1500) << path;
    }
}

TEST_F(SkinCheck, DamagedSkinFailsWithoutHarm)
{
    TempFolder folder;
    std::ifstream in(ProgramFolder() + "/Image/Skin.dat", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 1000u);
    resolver.SetBase(0, folder.Designed("Image\\"));
    resolver.SetBase(2, folder.Designed());

    // A document cut anywhere fails to load.
    for (size_t cut : { size_t(3), bytes.size() / 3, bytes.size() / 2, bytes.size() - 10 }) {
        folder.Write("Image/Skin.dat", bytes.substr(0, cut));
        EXPECT_FALSE(skin->LoadFile(L"Image\\Skin.dat")) << cut;
    }

    // A missing section or value reads as empty.
    folder.Write("Image/Skin.dat",
        "\xEF\xBB\xBF<?xml version=\"1.0\"?><Skin><MsgBox><Icon><File>gone.png</File>"
        "</Icon><Text><File>bad.png</File></Text></MsgBox></Skin>");
    ASSERT_TRUE(skin->LoadFile(L"Image\\Skin.dat"));
    EXPECT_EQ(SelectSkinNode(L"NotifyBox"), nullptr);
    ASSERT_NE(SelectSkinNode(L"MsgBox"), nullptr);
    EXPECT_EQ(GetSkinRect(L"Text", L"_Rect").right, 0);
    EXPECT_EQ(GetSkinInt(L"_TableViewItemHeight"), 0);

    // A missing picture leaves the item without one. Pictures are read when first
    // drawn: a damaged one is found then, and draws nothing, now and later.
    std::ifstream png(ProgramFolder() + "/Image/box_info.png", std::ios::binary);
    std::string picture((std::istreambuf_iterator<char>(png)), std::istreambuf_iterator<char>());
    folder.Write("Image/bad.png", picture.substr(0, picture.size() / 2));
    UxImageItem gone;
    EXPECT_FALSE(gone.ApplySkin(FindSkinNode(L"Icon")));
    EXPECT_EQ(gone.GetHandle(), -1);
    UxImageItem bad;
    ASSERT_TRUE(bad.ApplySkin(FindSkinNode(L"Text")));
    auto surface = MakeSurface(8, 8);
    surface->FillRect(0x123456, {});
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_FALSE(bad.Draw(*surface, { 0, 0, 8, 8 }, { 0, 0, 8, 8 }, { 8, 8 }));
        EXPECT_EQ(PixelAt(*surface, 4, 4), plat::COLORREF(0x123456));
    }
}

TEST(SkinGenerator, MakesTheCommittedFilesAgain)
{
    if (std::system("python3 --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "no python3";
    TempFolder out;
    std::string source = QUORIX_TEST_SOURCE_DIR;
    std::string command
        = "python3 " + source + "/tools/skin/generate.py --out " + out.Native() + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    int compared = 0;
    for (const char* folder : { "Image", "Sound" }) {
        std::set<std::string> made;
        for (const auto& entry : fs::directory_iterator(out.Native(folder))) {
            std::string name = entry.path().filename().string();
            made.insert(name);
            std::string committed = source + "/skin/" + folder + "/" + name;
            std::ifstream a(entry.path(), std::ios::binary), b(committed, std::ios::binary);
            std::string x((std::istreambuf_iterator<char>(a)), std::istreambuf_iterator<char>());
            std::string y((std::istreambuf_iterator<char>(b)), std::istreambuf_iterator<char>());
            EXPECT_TRUE(!x.empty() && x == y) << folder << "/" << name << " differs from the committed file";
            ++compared;
        }
        // Nothing committed that the generator no longer makes (the document is written by hand).
        for (const auto& entry : fs::directory_iterator(source + "/skin/" + folder)) {
            std::string name = entry.path().filename().string();
            EXPECT_TRUE(made.count(name) || name == "Skin.dat")
                << folder << "/" << name << " is not generated";
        }
    }
    EXPECT_GT(compared, 100);
}

} // namespace
