// The memo screens' bars and views built from an arbitrary skin document, then every
// kind of row and the memo card drawn: rectangles, heights and colours from the skin
// must keep every draw and the card's size in bounds whatever they say. Pictures never
// load here.
#include "app/memos/MemoListTitleBar.h"
#include "app/memos/MemoListView.h"
#include "app/memos/MemoReadButtonBar.h"
#include "app/memos/MemoReadView.h"
#include "app/memos/MemoWriteView.h"
#include "messenger/model/MemoList.h"
#include "messenger/protocol/memos/PktInImsg.h"
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
    new MemoList;
    g_surface = new UxDeviceContext;
    g_surface->CreateMemoryDC();
    auto* bitmap = new UxDeviceBitmap();
    bitmap->CreateCompatible(UxBitmapFormat { 480, 640, 32 });
    g_surface->SelectBitmap(bitmap, UxDeviceContext::OwnedCreated);
}

void DrawRows(UxListWindow& view)
{
    for (int32_t i = 0; i < view.GetRowCount(); ++i) {
        const plat::RECT row = view.GetRowRect(i);
        const plat::RECT clip { 0, row.top, 480, row.bottom };
        view.DrawRow(g_surface, i, clip, plat::RECT { 0, 0, 480, row.bottom - row.top });
    }
    view.PaintBackground(g_surface, plat::RECT { 0, 0, 480, 640 });
}

void Apply(UxXmlNode* node)
{
    MemoList& memos = *MemoList::GetInstance();
    memos.Clear();
    Memo memo;
    memo.From = L"jiyeon@quorix.net";
    memo.Title = L"회의 자료\r\n내일";
    memos.PushBack(memo);
    memo.Read = 1;
    memos.PushBack(memo);
    memos.Page = 1;
    memos.Total = 2;

    UxXmlNode* list = node->FindChild(L"MemoList");
    MemoListTitleBar title;
    title.ApplySkin(list ? list->FindChild(L"TitleBar") : nullptr);
    MemoListView rows;
    if (rows.ApplySkin(list ? list->FindChild(L"View") : nullptr)) {
        rows.SetAnimate(false);
        rows.AppendPage(2);
        rows.SetSelection(0);
        DrawRows(rows);
        rows.RemoveMemo(memos.GetAt(0));
        DrawRows(rows);
    }

    UxXmlNode* read = node->FindChild(L"MemoRead");
    MemoReadButtonBar buttons;
    buttons.ApplySkin(read ? read->FindChild(L"ButtonBar") : nullptr);
    MemoReadView card;
    if (card.ApplySkin(read ? read->FindChild(L"View") : nullptr)) {
        card.ShowMemo(memos.GetAt(0));
        DrawRows(card);
        PktInImsg packet(0);
        packet.From = memo.From;
        packet.References = { L"minsu@quorix.net", L"", L"junho@quorix.net" };
        packet.Body = std::wstring(300, L'가') + L"\n끝";
        card.SetMemo(packet);
        DrawRows(card);
    }

    UxXmlNode* write = node->FindChild(L"MemoWrite");
    MemoWriteView writer;
    writer.ApplySkin(write ? write->FindChild(L"View") : nullptr);
    writer.SetReplyAll(L"cookie", { L"a@quorix.net", L"b@quorix.net" });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = (Setup(), true);
    (void)ready;
    if (size > 24 * 1024)
        return 0;
    UxXmlDocument doc;
    if (!doc.LoadText(FromUtf8(std::string(reinterpret_cast<const char*>(data), size))))
        return 0;
    Apply(&doc);
    return 0;
}
