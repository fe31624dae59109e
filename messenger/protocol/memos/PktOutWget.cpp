#include "messenger/protocol/memos/PktOutWget.h"

#include "messenger/protocol/codec/PktKeywords.h"

bool PktOutWget::WriteArgs(PktStreamWriter& writer)
{
    const MemoRequest* body = nullptr;
    switch (Kind) {
    case KindList:
        List.Build();
        body = &List;
        break;
    case KindCount:
        Count.Build();
        body = &Count;
        break;
    case KindGet:
        Get.Build();
        body = &Get;
        break;
    case KindRel:
        Rel.Build();
        body = &Rel;
        break;
    case KindDelete:
    case KindSpam:
        ByCookie.Build(Kind == KindDelete);
        body = &ByCookie;
        break;
    default:
        break;
    }
    writer.WriteArg(MemoCommandToText(Kind));
    writer.WriteArg(YesNoToText(Reply != 0));
    writer.WriteUInt(SizeLimit);
    if (body)
        writer.WritePayload(body->GetBytes().GetData(), body->GetBytes().GetSize());
    else
        writer.WritePayload(nullptr, 0);
    return true;
}
