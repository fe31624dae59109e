// The memo screens' bars and views built from an arbitrary skin document, then every
// kind of row and the memo card drawn: rectangles, heights and colours from the skin
// must keep every draw and the card's size in bounds whatever they say. Pictures the
// skin names load from the default skin's folder.
#include "app/memos/MemoListTitleBar.h"
#include "app/memos/MemoListView.h"
#include "app/memos/MemoReadButtonBar.h"
#include "app/memos/MemoReadView.h"
#include "app/memos/MemoWriteView.h"
#include "fuzz/SkinFuzz.h"
#include "messenger/model/MemoList.h"
#include "messenger/protocol/memos/PktInImsg.h"

namespace {

void Apply(UxXmlNode* node)
{
    static MemoList* const memoList = new MemoList;
    MemoList& memos = *memoList;
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
    return FuzzSkinDocument(data, size, 24 * 1024, 0, false, Apply);
}
