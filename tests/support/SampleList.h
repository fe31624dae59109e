#pragma once

#include "tests/support/ImageBuilders.h"
#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextFormats.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/widgets/UxListItemPainter.h"
#include "ux/widgets/UxListWindow.h"

#include <string>
#include <vector>

// A list shaped like the buddy list: group rows, and buddy rows with a round status icon,
// a name and a nick line, each row closed by a line. Needs the font and image pools.
class SampleList : public UxListWindow {
public:
    static constexpr int32_t kHeaderHeight = 36;
    static constexpr int32_t kItemHeight = 60;

    struct Entry {
        std::wstring name;
        std::wstring nick;
        int status = 0; // icon colour: 0 online, 1 away, 2 offline
    };

    SampleList()
    {
        m_icon = MakeIconStrip();
        m_iconStream.Attach(m_icon.data(), uint32_t(m_icon.size()));
        UxImageDesc desc;
        desc.Image.Stream = &m_iconStream;
        desc.Image.Type = 2;
        desc.Method = UxImageDesc::AlphaBlendPerPixel;
        for (int status = 0; status < 3; ++status) {
            desc.ImageCoord = { 36 * status, 0, 36 * status + 36, 36 };
            m_icons[status].Load(desc);
        }
        UxTextStyle name;
        name.Font.Height = 22;
        name.Font.Weight = 700;
        name.Formats = UxTextLeft | UxTextVCenter | UxTextEndEllipsis;
        m_name.SetStyle(name);
        UxTextStyle nick = name;
        nick.Font.Height = 18;
        nick.Font.Weight = 0;
        nick.TextColor = 0x707070;
        m_nick.SetStyle(nick);
        UxTextStyle group = name;
        group.Font.Height = 20;
        group.TextColor = 0xFFFFFF;
        m_group.SetStyle(group);
    }

    // groups of items each, with Korean names and nicks.
    void Fill(int groups, int items)
    {
        Clear();
        entries.clear();
        entries.reserve(size_t(groups * (items + 1)));
        bool animate = true;
        SetAnimate(false);
        for (int g = 0; g < groups; ++g) {
            entries.push_back({ L"그룹 " + std::to_wstring(g + 1) + L" (" + std::to_wstring(items) + L")", L"", 0 });
            AddRow(Make(UxListRow::Header, kHeaderHeight));
            for (int i = 0; i < items; ++i) {
                int n = g * items + i;
                entries.push_back({ L"김민수" + std::to_wstring(n) + L" (minsu" + std::to_wstring(n) + L")",
                    L"오늘도 좋은 하루 보내세요 — 메모 " + std::to_wstring(n), n % 3 });
                AddRow(Make(UxListRow::Item, kItemHeight));
            }
        }
        SetAnimate(animate);
    }

    bool PaintBackground(UxDeviceContext* surface, const plat::RECT& rect) override
    {
        surface->FillRect(0xF4F4F4, rect);
        return true;
    }

    bool DrawRow(UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip) override
    {
        const UxListRow& row = GetRow(index);
        const Entry& entry = entries[row.data];
        plat::POINT origin = GetSurfaceOffset();
        plat::RECT rowRect = OffsetRect(GetRowRect(index), origin.x, origin.y);
        UxListItemPainter painter(this, surface, index, rowClip, rowRect);
        int32_t w = rowRect.right - rowRect.left;
        int32_t h = rowRect.bottom - rowRect.top;
        if (row.kind == UxListRow::Header) {
            surface->FillRect(0x8C5A2E, clip);
            m_group.SetText(entry.name);
            painter.DrawText(m_group, { 16, 0, w - 16, h });
            return true;
        }
        surface->FillRect(index == GetSelection() ? 0xF0D8B0 : 0xFFFFFF, clip);
        int32_t y = (h - 36) / 2;
        painter.DrawImage(m_icons[entry.status % 3], { 14, y, 50, y + 36 });
        m_name.SetText(entry.name);
        painter.DrawText(m_name, { 62, 4, w - 12, h / 2 + 2 });
        m_nick.SetText(entry.nick);
        painter.DrawText(m_nick, { 62, h / 2, w - 12, h - 4 });
        plat::RECT line;
        if (IntersectRect(OffsetRect(plat::RECT { 0, h - 1, w, h }, rowRect.left, rowRect.top), clip, &line))
            surface->FillRect(0xDDDDDD, line);
        return true;
    }

    std::vector<Entry> entries;

private:
    UxListRow Make(int32_t kind, int32_t height)
    {
        UxListRow row;
        row.kind = kind;
        row.fullHeight = height;
        row.data = entries.size() - 1;
        return row;
    }

    // Three round icons in a row (green, amber, grey) with soft edges, per-pixel alpha.
    static testimg::Bytes MakeIconStrip()
    {
        const uint8_t colours[3][3] = { { 0x3C, 0xB4, 0x4B }, { 0xF0, 0xA0, 0x20 }, { 0x9A, 0x9A, 0x9A } };
        testimg::Bytes rows;
        for (int y = 0; y < 36; ++y) {
            for (int x = 0; x < 108; ++x) {
                int cx = x % 36 - 18, cy = y - 18;
                int d2 = cx * cx + cy * cy;
                int alpha = d2 <= 15 * 15 ? 255 : d2 >= 17 * 17 ? 0 : 255 * (17 * 17 - d2) / (17 * 17 - 15 * 15);
                const uint8_t* c = colours[x / 36];
                rows.insert(rows.end(), { c[0], c[1], c[2], uint8_t(alpha) });
            }
        }
        return testimg::MakePng(108, 36, PNG_COLOR_TYPE_RGBA, 8, rows);
    }

    testimg::Bytes m_icon;
    UxMemoryStream m_iconStream;
    UxImageItem m_icons[3]; // one cell of the strip each
    UxTextItem m_name;
    UxTextItem m_nick;
    UxTextItem m_group;
};
