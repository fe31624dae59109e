// The buddy list's search bar and list view built from an arbitrary skin document, then
// every kind of row drawn: item rectangles, heights and colours from the skin must keep
// every draw inside the surface whatever they say. Pictures never load here.
#include "app/buddies/BuddyListSearchBar.h"
#include "app/buddies/BuddyListView.h"
#include "messenger/model/Buddy.h"
#include "messenger/model/Group.h"
#include "platform/system/Trace.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceBitmap.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/graphics/UxFontPool.h"
#include "ux/markup/UxXmlDocument.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

UxDeviceContext* g_surface = nullptr;

void Setup()
{
    plat::SetTraceHook([](const std::wstring&) {});
    auto* resolver = new UxPathResolver;
    resolver->SetBase(0, L"\\nonexistent-quorix-fuzz\\Image\\");
    new UxFontPool;
    new UxDeviceImagePool;
    g_surface = new UxDeviceContext;
    g_surface->CreateMemoryDC();
    auto* bitmap = new UxDeviceBitmap();
    bitmap->CreateCompatible(UxBitmapFormat { 480, 640, 32 });
    g_surface->SelectBitmap(bitmap, UxDeviceContext::OwnedCreated);
}

void Apply(UxXmlNode* node)
{
    static Group group(L"1", L"친구");
    static Buddy buddy = [] {
        Buddy b;
        b.Id = b.Email = L"minsu@quorix.net";
        b.Name = L"김민수";
        b.Nick = L"민수";
        b.Status = BuddyStatusAway;
        return b;
    }();
    group.AddMember(buddy.Id);

    BuddyListView view;
    BuddyListSearchBar bar;
    bar.Build(node->FindChild(L"SearchBar"), &view);
    bar.UpdateIcons();
    if (!view.Build(node->FindChild(L"View")))
        return;
    view.SetAnimate(false);
    for (int i = 0; i < 4; ++i) {
        UxListRow row;
        row.kind = i % 2 ? UxListRow::Item : UxListRow::Header;
        row.fullHeight = view.GetItemHeight();
        row.data = i % 2 ? reinterpret_cast<uintptr_t>(&buddy) : reinterpret_cast<uintptr_t>(&group);
        view.AddRow(row);
    }
    view.SetSelection(1);
    view.Collapse(2);
    for (int32_t i = 0; i < view.GetRowCount(); ++i) {
        const plat::RECT row = view.GetRowRect(i);
        const plat::RECT clip { 0, row.top, 480, row.bottom };
        view.DrawRow(g_surface, i, clip, plat::RECT { 0, 0, 480, row.bottom - row.top });
    }
    view.PaintBackground(g_surface, plat::RECT { 0, 0, 480, 640 });
    view.SetFilter(L"민");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = (Setup(), true);
    (void)ready;
    if (size > 16 * 1024)
        return 0;
    UxXmlDocument doc;
    if (!doc.LoadText(FromUtf8(std::string(reinterpret_cast<const char*>(data), size))))
        return 0;
    Apply(&doc);
    for (size_t i = 0; i < doc.GetChildCount() && i < 8; ++i)
        Apply(doc.GetChild(i));
    return 0;
}
