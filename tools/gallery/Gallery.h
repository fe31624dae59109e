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
#include "ux/core/UxPopupInstance.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/markup/UxXmlSkinHelper.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxCheckButton.h"
#include "ux/widgets/UxEdit.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"
#include "ux/widgets/UxLedAnimation.h"
#include "ux/widgets/UxLinearLayout.h"
#include "ux/widgets/UxPageHeader.h"
#include "ux/widgets/UxPageIndicator.h"
#include "ux/widgets/UxMessageBox.h"
#include "ux/widgets/UxPopup.h"
#include "ux/widgets/UxPopupMenu.h"
#include "ux/widgets/UxProgressBar.h"
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

// Makes a popup from its element under "Popups", as asked by the launcher's node (which
// may add keys such as "Style"); null when the skin does not load. The popup is shown by
// the page and deletes itself when it closes.
using GalleryPopupBuilder = UxPopup* (*)(GalleryPage& page, UxXmlNode* node, UxXmlNode* launcher);

struct GalleryPopupEntry {
    const wchar_t* name;
    GalleryPopupBuilder build;
};

const std::vector<GalleryPopupEntry>& GalleryPopups();

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
        m_section = section;
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
        if (code == EventPointerUp) {
            if (auto it = m_launchers.find(child); it != m_launchers.end()) {
                OpenPopup(it->second);
                return true;
            }
        }
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

    // A button that opens the popup its node's "Opens" names.
    void AddLauncher(UxWindow* button, UxXmlNode* node) { m_launchers[button] = node; }

    // Opens the popup that launcher's "Opens" names (an element of the section's
    // "Popups"); the page hears how it closed.
    UxPopup* OpenPopup(UxXmlNode* launcher)
    {
        std::wstring name = UxXmlNode::GetText(launcher->FindChild(L"Opens"));
        UxXmlNode* popups = m_section ? m_section->FindChild(L"Popups") : nullptr;
        UxXmlNode* node = popups ? popups->FindChild(name) : nullptr;
        for (const GalleryPopupEntry& entry : GalleryPopups()) {
            if (!node || node->GetName() != entry.name)
                continue;
            UxPopup* popup = entry.build(*this, node, launcher);
            if (!popup)
                break;
            m_popupName = UxXmlNode::GetText(launcher->FindChild(L"Name"));
            auto context = reinterpret_cast<uintptr_t>(this);
            if (auto* box = dynamic_cast<UxMessageBox*>(popup)) {
                uint32_t style = uint32_t(UxXmlNode::GetInt(launcher->FindChild(L"Style")));
                return box->Show(style, Closed, context) ? box : nullptr;
            }
            popup->Popup(Closed, context);
            return popup;
        }
        Report(L"No popup " + name);
        return nullptr;
    }
    // Closes what the page opened, before the page goes.
    void ClosePopup()
    {
        UxPopupInstance* popups = UxPopupInstance::GetInstance();
        if (auto* open = dynamic_cast<UxPopup*>(popups ? popups->GetPopup() : nullptr))
            open->Close(0);
    }

    std::vector<std::wstring> Events;
    std::function<void(const std::wstring&)> Echo;
    // The result the last popup closed with, -1 while none has.
    int32_t LastResult = -1;

private:
    static void Closed(uintptr_t context, UxPopup* popup, int32_t result)
    {
        auto* page = reinterpret_cast<GalleryPage*>(context);
        page->LastResult = result;
        std::wstring what = page->m_popupName + L": closed with " + std::to_wstring(result);
        if (auto* menu = dynamic_cast<UxPopupMenu*>(popup); menu && result)
            what += L", row " + std::to_wstring(menu->GetList().GetSelection());
        if (auto* box = dynamic_cast<UxMessageBox*>(popup); box && box->CheckBox.IsVisible())
            what += box->CheckBox.IsChecked() ? L", checked" : L", not checked";
        page->Report(what);
    }

    plat::COLORREF m_backColour = 0xFFFFFF;
    std::vector<std::pair<UxWindow*, UxWindow*>> m_owned;
    std::map<UxWindow*, std::wstring> m_names;
    std::map<UxWindow*, UxXmlNode*> m_launchers;
    UxLabel* m_status = nullptr;
    UxXmlNode* m_section = nullptr;
    std::wstring m_popupName;
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

// A popup holding gallery widgets; any of its buttons closes it with the button's
// "Result" (1 when none is given).
class GalleryPopup : public UxPopup {
public:
    ~GalleryPopup() override
    {
        for (auto it = m_children.rbegin(); it != m_children.rend(); ++it)
            RemoveChild(it->window.get());
    }
    bool Build(GalleryPage& page, UxXmlNode* node)
    {
        if (!ApplySkin(node))
            return false;
        for (size_t i = 0; i < node->GetChildCount(); ++i) {
            UxXmlNode* child = node->GetChild(i);
            const GalleryEntry* entry = GalleryPage::FindEntry(child);
            if (!entry)
                continue;
            std::unique_ptr<UxWindow> window(entry->build(page, child));
            if (!window)
                return false;
            AddChild(window.get());
            m_children.push_back({ std::move(window), UxXmlNode::GetInt(child->FindChild(L"Result")) });
        }
        return true;
    }
    bool OnChildEvent(UxWindow* child, int32_t code) override
    {
        if (code != EventPointerUp || !dynamic_cast<UxButton*>(child))
            return true;
        for (const Child& c : m_children) {
            if (c.window.get() == child)
                return Close(c.result ? c.result : 1);
        }
        return true;
    }
    template <typename T> T* Find() const
    {
        for (const Child& c : m_children) {
            if (auto* w = dynamic_cast<T*>(c.window.get()))
                return w;
        }
        return nullptr;
    }

private:
    struct Child {
        std::unique_ptr<UxWindow> window;
        int32_t result;
    };
    std::vector<Child> m_children;
};

// A menu whose rows are the texts of its "Rows" ("Header" and "Item" elements), drawn
// with "RowText" ("RowTextSelected" on the selected row) over "RowColor" or
// "SelectedColor", "RowHeight" pixels high.
class GalleryMenu : public UxPopupMenu {
public:
    bool Build(UxXmlNode* node)
    {
        if (!ApplySkin(node) || !m_text.ApplySkin(node->FindChild(L"RowText"))
            || !m_selectedText.ApplySkin(node->FindChild(L"RowTextSelected")))
            return false;
        m_rowColour = UxXmlNode::GetColor(node->FindChild(L"RowColor"));
        m_selectedColour = UxXmlNode::GetColor(node->FindChild(L"SelectedColor"));
        m_headerColour = UxXmlNode::GetColor(node->FindChild(L"HeaderColor"));
        int32_t height = UxXmlNode::GetInt(node->FindChild(L"RowHeight"));
        UxXmlNode* rows = node->FindChild(L"Rows");
        for (size_t i = 0; rows && i < rows->GetChildCount(); ++i) {
            UxXmlNode* row = rows->GetChild(i);
            if (row->GetKind() != UxXmlNode::Element)
                continue;
            m_texts.push_back(row->GetText());
            UxListRow r;
            r.kind = row->GetName() == L"Header" ? UxListRow::Header : UxListRow::Item;
            r.fullHeight = r.shownHeight = height;
            r.data = m_texts.size() - 1;
            GetList().AddRow(r);
        }
        GetList().StopAnimation();
        return true;
    }
    bool DrawRow(UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip) override
    {
        const UxListRow& row = GetList().GetRow(index);
        bool selected = index == GetList().GetSelection() && row.kind != UxListRow::Header;
        plat::COLORREF fill = row.kind == UxListRow::Header ? m_headerColour : selected ? m_selectedColour : m_rowColour;
        surface->FillRect(fill, clip);
        plat::RECT whole { clip.left - rowClip.left, clip.top - rowClip.top, 0, 0 };
        whole.right = whole.left + GetList().GetWidth();
        whole.bottom = whole.top + row.shownHeight;
        UxTextItem& text = selected ? m_selectedText : m_text;
        text.SetText((row.kind == UxListRow::Header ? L"▾ " : L"    ") + m_texts[row.data]);
        text.Draw(*surface, whole, clip);
        return true;
    }

private:
    UxTextItem m_text;
    UxTextItem m_selectedText;
    plat::COLORREF m_rowColour = 0xFFFFFF;
    plat::COLORREF m_selectedColour = 0xFFFFFF;
    plat::COLORREF m_headerColour = 0xFFFFFF;
    std::vector<std::wstring> m_texts;
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

// "Progress" (0 to 1) shown at once.
inline UxWindow* Progress(GalleryPage&, UxXmlNode* node)
{
    auto bar = std::make_unique<UxProgressBar>();
    if (!bar->ApplySkin(node))
        return nullptr;
    bar->Progress = UxXmlNode::GetFloat(node->FindChild(L"Progress"));
    bar->Update();
    return bar.release();
}

inline void Launcher(GalleryPage& page, UxWindow* window, UxXmlNode* node)
{
    page.AddLauncher(window, node);
}

inline UxPopup* PlainPopup(GalleryPage& page, UxXmlNode* node, UxXmlNode*)
{
    auto popup = std::make_unique<GalleryPopup>();
    return popup->Build(page, node) ? popup.release() : nullptr;
}

inline UxPopup* Menu(GalleryPage&, UxXmlNode* node, UxXmlNode*)
{
    auto menu = std::make_unique<GalleryMenu>();
    return menu->Build(node) ? menu.release() : nullptr;
}

// The launcher's "Title", "Message" and "CheckText" fill the box; a box whose skin
// fails is handed over all the same, and Show frees it.
inline UxPopup* MessageBox(GalleryPage&, UxXmlNode* node, UxXmlNode* launcher)
{
    auto* box = new UxMessageBox;
    box->ApplySkin(node);
    if (UxXmlNode* n = launcher->FindChild(L"Title"))
        box->TitleText.SetText(n->GetText());
    if (UxXmlNode* n = launcher->FindChild(L"Message"))
        box->Text.SetText(n->GetText());
    if (UxXmlNode* n = launcher->FindChild(L"CheckText"))
        box->CheckBoxText.SetText(n->GetText());
    return box;
}

// Edit: an "Emoticon" (a draw item) and then "TextAfter" follow the edit's own text.
inline void FillEdit(GalleryPage&, UxWindow* window, UxXmlNode* node)
{
    auto* edit = static_cast<UxEdit*>(window);
    if (UxXmlNode* emoticon = node->FindChild(L"Emoticon"))
        edit->InsertImage(ReadDrawItem(emoticon));
    if (UxXmlNode* after = node->FindChild(L"TextAfter"))
        edit->InsertText(after->GetText());
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
        // Popups and the progress bar
        { L"ProgressBar", gallery::Progress },
        { L"PopupButton", gallery::Plain<UxButton>, gallery::Launcher },
        // Edit
        { L"Edit", gallery::Plain<UxEdit>, gallery::FillEdit },
    };
    return entries;
}

inline const std::vector<GalleryPopupEntry>& GalleryPopups()
{
    static const std::vector<GalleryPopupEntry> entries = {
        // Popups
        { L"Popup", gallery::PlainPopup },
        { L"Menu", gallery::Menu },
        { L"MsgBox", gallery::MessageBox },
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
        m_page->ClosePopup();
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
