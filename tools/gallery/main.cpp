// quorix-gallery [--skin FOLDER] [--section NAME] [--shot FILE.png]
//
// Shows one page of every widget, built from the "Gallery" section of a skin (default:
// the test skin copied beside the program as gallery-skin/). Headless unless
// QUORIX_DISPLAY=sdl: then it opens a window to look at and press the widgets, and
// prints what they report. Headless, it saves the page as a PNG (default gallery.png).
// The edits have a page of their own: --section GalleryEdit.

#include "platform/display/Display.h"
#include "platform/event/MessageQueue.h"
#include "tools/gallery/Gallery.h"
#include "ux/core/UxPath.h"
#include "ux/core/UxStartup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: quorix-gallery [--skin FOLDER] [--section NAME] [--shot FILE.png]\n");
    return 2;
}

class GalleryDesktop : public UxDesktop {
public:
    GalleryDesktop(std::string skin, std::wstring section)
        : m_skin(std::move(skin))
        , m_section(std::move(section))
    {
    }
    bool InitInstance() override
    {
        m_gallery = std::make_unique<Gallery>(m_skin);
        if (!m_gallery->Open(this, m_section))
            std::fprintf(stderr, "quorix-gallery: the skin in %s did not load completely\n", m_skin.c_str());
        m_gallery->GetPage()->Echo = [](const std::wstring& what) {
            std::printf("%ls\n", what.c_str());
            std::fflush(stdout);
        };
        return true;
    }
    void ExitInstance() override { m_gallery.reset(); }
    Gallery* GetGallery() const { return m_gallery.get(); }

private:
    std::string m_skin;
    std::wstring m_section;
    std::unique_ptr<Gallery> m_gallery;
};

} // namespace

int main(int argc, char** argv)
{
    std::string skin;
    std::wstring section = L"Gallery";
    std::string shot = "gallery.png";
    for (int i = 1; i < argc; ++i) {
        bool more = i + 1 < argc;
        if (std::strcmp(argv[i], "--skin") == 0 && more)
            skin = argv[++i];
        else if (std::strcmp(argv[i], "--section") == 0 && more)
        {
            std::string name = argv[++i];
            section.assign(name.begin(), name.end());
        }
        else if (std::strcmp(argv[i], "--shot") == 0 && more)
            shot = argv[++i];
        else
            return Usage();
    }
    if (skin.empty())
        skin = plat::NativePath(GetModuleDirectory()) + "gallery-skin";
    setenv("QUORIX_DISPLAY", "headless", 0);

    if (!UxInitialize())
        return 1;
    int status = 0;
    {
        GalleryDesktop desktop(skin, section);
        if (!desktop.Create(L"QuorixGallery", { 0, 0, 480, 640 }))
            status = 1;
        else if (std::strcmp(plat::GetDisplay()->GetName(), "headless") == 0) {
            plat::DispatchPending();
            if (!plat::GetDisplay()->SaveFramePng(shot))
                status = 1;
            desktop.ExitInstance();
        } else {
            desktop.Run();
        }
    }
    UxFinalize();
    return status;
}
