// The option screens' parts built from an arbitrary skin document, then every row of the
// option list and of each kind of choice page drawn and tapped: rectangles, heights and
// colours from the skin must keep every draw inside the surface whatever they say.
// Pictures the skin names load from the default skin's folder; there is no model, so
// taps change nothing and send nothing.
#include "app/options/OptionListView.h"
#include "app/options/OptionServiceInfoView.h"
#include "app/options/OptionView.h"
#include "app/shell/FramedEdit.h"
#include "app/shell/HelpTitleBar.h"
#include "app/shell/IconTitleBar.h"
#include "fuzz/SkinFuzz.h"

namespace {

// The second row selected, as a press leaves it.
void DrawSelected(UxListWindow& list)
{
    list.SetSelection(1);
    DrawRows(list);
}

void Apply(UxXmlNode* node)
{
    UxXmlNode* view = node->FindChild(L"View");
    OptionListView options;
    if (options.ApplySkin(view)) {
        DrawSelected(options);
        options.OnRowClicked(0, 0, 0);
    }
    OptionView choices;
    if (choices.ApplySkin(view)) {
        for (int32_t kind : { 0, 1, 2, 3, 4, 5, 7, -1 }) {
            choices.SetKind(kind);
            DrawSelected(choices);
            for (int32_t row = 0; row < choices.GetRowCount(); ++row)
                choices.OnRowClicked(row, 0, 0);
        }
    }
    HelpTitleBar help;
    if (help.ApplySkin(node->FindChild(L"TitleBar"))) {
        help.SetHelpText1(L"내 상태를 설정하세요.");
        help.OnPaint(&FuzzSurface(), plat::RECT { 0, 0, 480, 640 });
    }
    IconTitleBar title;
    title.ApplySkin(node->FindChild(L"TitleBar"));
    FramedEdit nick { L"Nick" };
    if (nick.ApplySkin(view))
        nick.Edit.SetText(L"민수");
    OptionServiceInfoView info;
    info.ApplySkin(view);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzSkinDocument(data, size, 16 * 1024, 8, false, Apply);
}
