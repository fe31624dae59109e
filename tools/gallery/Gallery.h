#pragma once

// The widget gallery: one page holding every widget of the toolkit, built from the
// "Gallery" section of a skin, so that a person can look at them and press them, and
// tests can take its picture. The program (main.cpp) and the widget tests share it.
//
// Every element of the section is one widget, named by its element name (the table in
// GalleryEntries); its own children are the widget's skin keys plus a few gallery
// keys ("Name", and what the entry reads). To add a widget, add an entry and give the
// skin an element of that name.

#include "platform/system/FileSystem.h"
#include "ux/core/UxDesktop.h"
#include "ux/core/UxPanel.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlSkinHelper.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxCheckButton.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"
#include "ux/widgets/UxLedAnimation.h"
#include "ux/widgets/UxLinearLayout.h"
#include "ux/widgets/UxPageHeader.h"
#include "ux/widgets/UxPageIndicator.h"
#include "ux/widgets/UxTabWindow.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class GalleryPage;

// Makes the widget of one section element and gives it its skin; null when the skin
// does not load. The page owns what it returns.
using GalleryBuilder = UxWindow* (*)(GalleryPage& page, UxXmlNode* node);

struct GalleryEntry {
    const wchar_t* name;
    GalleryBuilder build;
    // Runs once the widget hangs in the page (its events then reach the page).
    void (*ready)(GalleryPage& page, UxWindow* window, UxXmlNode* node) = nullptr;
};

const std::vector<GalleryEntry>& GalleryEntries();

// The gallery page: fills itself with "_BackColor", builds one widget per element and
// writes what the widgets report into the "Status" label and the event list.
class GalleryPage : public UxPanel {
public:
    ~GalleryPage() override
    {
        // Everything is unlinked before anything is deleted: a row is built after what
        // it holds.
        for (auto it = m_owned.rbegin(); it != m_owned.rend(); ++it)
            it->first->RemoveChild(it->second);
        for (auto& owned : m_owned)
            delete owned.second;
    }

    bool Build(UxXmlNode* section)
    {
        if (!section || !UxWindow::ApplySkin(section))
            return false;
        if (UxXmlNode* back = section->FindChild(L"_BackColor"))
            m_backColour = back->GetColor();
        return BuildChildren(this, section);
    }

    // Builds the widget elements among node's children into parent.
    bool BuildChildren(UxWindow* parent, UxXmlNode* node)
    {
        bool ok = true;
        for (size_t i = 0; i < node->GetChildCount(); ++i)
            BuildElement(parent, node->GetChild(i), ok);
        return ok;
    }

    // The widget of one element, adopted by parent; null for elements that are no
    // widget (gallery keys such as "Name") and for widgets that failed (ok = false).
    UxWindow* BuildElement(UxWindow* parent, UxXmlNode* node, bool& ok)
    {
        const GalleryEntry* entry = FindEntry(node);
        if (!entry)
            return nullptr;
        UxWindow* window = entry->build(*this, node);
        if (!window) {
            UxTrace(L"[UX+] %s, The gallery's %s did not load.\n", L"GalleryPage::BuildElement",
                node->GetName().c_str());
            ok = false;
            return nullptr;
        }
        Adopt(parent, window, UxXmlNode::GetText(node->FindChild(L"Name")));
        if (entry->ready)
            entry->ready(*this, window, node);
        return window;
    }

    static const GalleryEntry* FindEntry(const UxXmlNode* node)
    {
        if (node->GetKind() != UxXmlNode::Element)
            return nullptr;
        for (const GalleryEntry& entry : GalleryEntries()) {
            if (node->GetName() == entry.name)
                return &entry;
        }
        return nullptr;
    }

    // parent holds window, which the page deletes.
    void Adopt(UxWindow* parent, UxWindow* window, const std::wstring& name)
    {
        parent->AddChild(window);
        m_owned.push_back({ parent, window });
        if (!name.empty())
            m_names[window] = name;
        if (name == L"Status")
            m_status = dynamic_cast<UxLabel*>(window);
    }

    UxWindow* Find(const std::wstring& name) const
    {
        for (const auto& [window, n] : m_names) {
            if (n == name)
                return window;
        }
        return nullptr;
    }
    template <typename T> T* Find(const std::wstring& name) const { return dynamic_cast<T*>(Find(name)); }

    std::wstring NameOf(UxWindow* window) const
    {
        auto it = m_names.find(window);
        return it == m_names.end() ? std::wstring() : it->second;
    }

    // A widget reported something worth showing: taps, toggles, tab changes.
    void Report(const std::wstring& what)
    {
        Events.push_back(what);
        if (Echo)
            Echo(what);
        if (m_status)
            m_status->SetText(what);
    }

    bool OnPaint(UxDeviceContext* surface, const plat::RECT& rect) override
    {
        surface->FillRect(m_backColour, rect);
        return true;
    }

    bool OnChildEvent(UxWindow* child, int32_t code) override { return Notice(child, code); }

    // Any gallery window passes its children's events here.
    bool Notice(UxWindow* child, int32_t code)
    {
        std::wstring name = NameOf(child);
        if (name.empty())
            return true;
        if (code == UxTabWindow::EventTabSelected)
            Report(name + L": tab " + std::to_wstring(UxWindow::EventParam1 + 1));
        else if (code == EventPointerUp) {
            if (auto* check = dynamic_cast<UxCheckButton*>(child))
                Report(name + (check->IsChecked() ? L": on" : L": off"));
            else
                Report(name + L": pressed");
        }
        return true;
    }

    std::vector<std::wstring> Events;
    std::function<void(const std::wstring&)> Echo;

private:
    plat::COLORREF m_backColour = 0xFFFFFF;
    std::vector<std::pair<UxWindow*, UxWindow*>> m_owned;
    std::map<UxWindow*, std::wstring> m_names;
    UxLabel* m_status = nullptr;
};

// A plain container of gallery widgets; with "Margin", "Spacing" and cells of
// "Pixels" or "Weight" (per child, horizontal) it is a linear layout's row.
class GalleryBox : public UxWindow {
public:
    explicit GalleryBox(GalleryPage& page)
        : m_page(page)
    {
    }
    bool OnChildEvent(UxWindow* child, int32_t code) override { return m_page.Notice(child, code); }
    UxLinearLayout Layout;

private:
    GalleryPage& m_page;
};

namespace gallery {

template <typename T> UxWindow* Plain(GalleryPage&, UxXmlNode* node)
{
    auto window = std::make_unique<T>();
    return window->ApplySkin(node) ? window.release() : nullptr;
}

inline UxWindow* Leds(GalleryPage& page, UxXmlNode* node)
{
    auto* leds = static_cast<UxLedAnimation*>(Plain<UxLedAnimation>(page, node));
    if (leds)
        leds->Start();
    return leds;
}

// "Pages" dots with "CurrentPage" lit.
inline UxWindow* PageDots(GalleryPage&, UxXmlNode* node)
{
    auto dots = std::make_unique<UxPageIndicator>();
    if (!dots->ApplySkin(node))
        return nullptr;
    for (int32_t i = 0, n = UxXmlNode::GetInt(node->FindChild(L"Pages")); i < n; ++i) {
        if (!dots->AddPage())
            return nullptr;
    }
    dots->SetCurrentPage(UxXmlNode::GetInt(node->FindChild(L"CurrentPage")));
    return dots.release();
}

// "Selected" tab (from 0), reported to the page like a tap.
inline void SelectTab(GalleryPage&, UxWindow* window, UxXmlNode* node)
{
    static_cast<UxTabWindow*>(window)->Select(UxXmlNode::GetInt(node->FindChild(L"Selected")));
}

// A row laid out by a linear layout: each child widget is a cell, "Pixels" wide or of
// "Weight" (1 when neither is given).
inline UxWindow* Row(GalleryPage& page, UxXmlNode* node)
{
    auto box = std::make_unique<GalleryBox>(page);
    if (!box->ApplySkin(node))
        return nullptr;
    box->Layout.SetMargins(UxXmlNode::GetInt(node->FindChild(L"Margin")));
    box->Layout.SetSpacing(UxXmlNode::GetInt(node->FindChild(L"Spacing")));
    bool ok = true;
    UxWindow* previous = nullptr;
    for (size_t i = 0; i < node->GetChildCount(); ++i) {
        UxXmlNode* look = node->GetChild(i);
        UxWindow* child = page.BuildElement(box.get(), look, ok);
        if (!child)
            continue;
        UxXmlNode* pixels = look->FindChild(L"Pixels");
        UxXmlNode* weight = look->FindChild(L"Weight");
        float width = pixels ? float(pixels->GetInt()) : weight ? weight->GetFloat() : 1.0f;
        box->Layout.AddCell(child, previous, nullptr, nullptr, nullptr, width, 1.0f, pixels != nullptr, false);
        if (previous)
            box->Layout.FindCell(previous)->Right = child;
        previous = child;
    }
    box->Layout.Arrange(box->GetWidth(), box->GetHeight());
    // What the row holds is the page's to delete, so the row is handed over even when a
    // cell failed.
    if (!ok)
        UxTrace(L"[UX+] %s, A cell of the gallery's row did not load.\n", L"gallery::Row");
    return box.release();
}

} // namespace gallery

inline const std::vector<GalleryEntry>& GalleryEntries()
{
    static const std::vector<GalleryEntry> entries = {
        // Basic widgets, layout, header, dots and tabs
        { L"Label", gallery::Plain<UxLabel> },
        { L"ImageWindow", gallery::Plain<UxImageWindow> },
        { L"Button", gallery::Plain<UxButton> },
        { L"CheckButton", gallery::Plain<UxCheckButton> },
        { L"LedAnimation", gallery::Leds },
        { L"PageHeader", gallery::Plain<UxPageHeader> },
        { L"PageIndicator", gallery::PageDots },
        { L"TabWindow", gallery::Plain<UxTabWindow>, gallery::SelectTab },
        { L"LinearLayout", gallery::Row },
    };
    return entries;
}

// The gallery on a desktop: the skin folder (holding "Image\Skin.dat" and its
// pictures) becomes the image folder, the skin is loaded and the page built.
class Gallery {
public:
    explicit Gallery(const std::string& skinFolder)
    {
        std::wstring folder = plat::DesignedPath(skinFolder);
        if (UxPathResolver* resolver = UxPathResolver::GetInstance()) {
            resolver->SetBase(0, folder + L"\\Image\\");
            resolver->SetBase(2, folder + L"\\");
        }
        m_skin = new UxXmlSkinHelper;
        m_loaded = m_skin->LoadFile(L"Image\\Skin.dat");
    }
    ~Gallery()
    {
        Close();
        delete m_skin;
    }
    Gallery(const Gallery&) = delete;
    Gallery& operator=(const Gallery&) = delete;

    // Builds the page over the whole desktop; false when the skin or a widget failed
    // (what did load is still shown).
    bool Open(UxDesktop* desktop, const std::wstring& section = L"Gallery")
    {
        Close();
        m_desktop = desktop;
        m_page = new GalleryPage;
        m_page->SetRect(desktop->GetClientRect());
        desktop->AddChild(m_page);
        bool built = m_page->Build(SelectSkinNode(section));
        m_page->Invalidate();
        return built && m_loaded;
    }
    void Close()
    {
        if (!m_page)
            return;
        m_desktop->RemoveChild(m_page);
        delete m_page;
        m_page = nullptr;
    }

    GalleryPage* GetPage() const { return m_page; }
    bool IsSkinLoaded() const { return m_loaded; }

private:
    UxXmlSkinHelper* m_skin = nullptr;
    bool m_loaded = false;
    UxDesktop* m_desktop = nullptr;
    GalleryPage* m_page = nullptr;
};
