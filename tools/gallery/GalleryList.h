#pragma once

// The gallery's scrolling widgets: a list of a few hundred buddies in groups, drawn
// through the skin's row items, and a strip of self-drawn chips that scrolls sideways.

#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/markup/UxXmlNode.h"
#include "ux/widgets/UxListItemPainter.h"
#include "ux/widgets/UxListWindow.h"

#include <functional>
#include <string>
#include <vector>

// Buddy rows (status icon, name, nick) under group rows (fold arrow, group name), a
// selection bar on the pressed row and a line under every row. Keys of its node:
// "_TableViewItemHeight", "HeaderHeight", "_BackColor", "HeaderColor", "Groups",
// "Items", and the items "SelectionBar", "Line", "GroupIcon" (with
// "ImageCoordCollapsed"), "GroupName", "BuddyIcon" (one cell of a strip of statuses),
// "BuddyName" and "BuddyNick" (both with "TextColorSelected"), each placed by its "_Rect"
// relative to the row.
class GalleryListView : public UxListWindow {
public:
    struct Entry {
        std::wstring name;
        std::wstring nick;
        int status = 0;
    };

    bool ApplySkin(UxXmlNode* node) override
    {
        if (!node || !UxListWindow::ApplySkin(node))
            return false;
        m_itemHeight = UxXmlNode::GetInt(node->FindChild(L"_TableViewItemHeight"));
        m_headerHeight = UxXmlNode::GetInt(node->FindChild(L"HeaderHeight"));
        m_back = UxXmlNode::GetColor(node->FindChild(L"_BackColor"));
        m_headerColour = UxXmlNode::GetColor(node->FindChild(L"HeaderColor"));
        bool ok = Image(node, L"SelectionBar", m_selection, m_selectionRect)
            && Image(node, L"Line", m_line, m_lineRect) && Image(node, L"GroupIcon", m_groupOpen, m_groupIconRect)
            && Text(node, L"GroupName", m_groupName, m_groupNameRect)
            && Text(node, L"BuddyName", m_name, m_nameRect) && Text(node, L"BuddyNick", m_nick, m_nickRect);
        if (!ok)
            return false;
        // The folded arrow and the status cells are other parts of the same pictures.
        UxXmlNode* group = node->FindChild(L"GroupIcon");
        UxImageDesc folded = m_groupOpen.GetDesc();
        folded.ImageCoord = UxXmlNode::GetRect(group->FindChild(L"ImageCoordCollapsed"));
        if (!m_groupFolded.Load(folded))
            return false;
        UxXmlNode* icon = node->FindChild(L"BuddyIcon");
        if (!icon || !m_icons[0].ApplySkin(icon))
            return false;
        m_iconRect = UxXmlNode::GetRect(icon->FindChild(L"_Rect"));
        UxImageDesc cell = m_icons[0].GetDesc();
        int32_t step = cell.ImageCoord.right - cell.ImageCoord.left;
        for (int i = 1; i < kStatuses; ++i) {
            cell.ImageCoord = OffsetRect(cell.ImageCoord, step, 0);
            if (!m_icons[i].Load(cell))
                return false;
        }
        if (!Selected(node, L"BuddyName", m_name, m_nameSelected) || !Selected(node, L"BuddyNick", m_nick, m_nickSelected))
            return false;
        Fill(UxXmlNode::GetInt(node->FindChild(L"Groups")), UxXmlNode::GetInt(node->FindChild(L"Items")));
        return true;
    }

    // groups of items each, added at once.
    void Fill(int groups, int items)
    {
        static const wchar_t* const family[] = { L"김", L"이", L"박", L"최", L"정", L"강", L"조", L"윤", L"장", L"임" };
        static const wchar_t* const given[] = { L"민수", L"지연", L"준호", L"서윤", L"다혜", L"하준", L"수아", L"도윤",
            L"예린", L"시우", L"지호", L"채원", L"현우" };
        static const wchar_t* const groupNames[] = { L"친구", L"회사", L"가족", L"동호회", L"학교", L"기타" };
        static const wchar_t* const nicks[] = { L"오늘도 좋은 하루", L"회의 중이에요", L"주말엔 등산",
            L"연락 주세요", L"", L"점심 뭐 먹지?", L"휴가 중 (다음 주 월요일 복귀)" };
        Clear();
        m_entries.clear();
        SetAnimate(false);
        for (int g = 0; g < groups; ++g) {
            std::wstring name = groupNames[g % 6];
            if (g >= 6)
                name += L" " + std::to_wstring(g / 6 + 1);
            Append(UxListRow::Header, m_headerHeight, { name + L" (" + std::to_wstring(items) + L")", L"", 0 });
            for (int i = 0; i < items; ++i) {
                int n = g * items + i;
                std::wstring person = std::wstring(family[n % 10]) + given[(n / 10 + n) % 13];
                Append(UxListRow::Item, m_itemHeight, { person, nicks[n % 7], (n * 7 / 3) % kStatuses });
            }
        }
        SetAnimate(true);
    }

    const Entry& GetEntry(int32_t index) const { return m_entries[GetRow(index).data]; }

    bool PaintBackground(UxDeviceContext* surface, const plat::RECT& rect) override
    {
        surface->FillRect(m_back, rect);
        return true;
    }

    bool DrawRow(UxDeviceContext* surface, int32_t index, const plat::RECT& clip, const plat::RECT& rowClip) override
    {
        const UxListRow& row = GetRow(index);
        const Entry& entry = GetEntry(index);
        plat::POINT origin = GetSurfaceOffset();
        UxListItemPainter painter(this, surface, index, rowClip, OffsetRect(GetRowRect(index), origin.x, origin.y));
        bool header = row.kind == UxListRow::Header;
        surface->FillRect(header ? m_headerColour : m_back, clip);
        if (header) {
            painter.DrawImage(row.expanded ? m_groupOpen : m_groupFolded, m_groupIconRect);
            m_groupName.SetText(entry.name);
            painter.DrawText(m_groupName, m_groupNameRect);
        } else {
            bool selected = index == GetSelection();
            if (selected)
                painter.DrawImage(m_selection, m_selectionRect);
            painter.DrawImage(m_icons[entry.status % kStatuses], m_iconRect);
            UxTextItem& name = selected ? m_nameSelected : m_name;
            name.SetText(entry.name);
            painter.DrawText(name, m_nameRect);
            UxTextItem& nick = selected ? m_nickSelected : m_nick;
            nick.SetText(entry.nick);
            painter.DrawText(nick, m_nickRect);
        }
        // The line closes every row, whatever its height.
        int32_t h = GetRowRect(index).bottom - GetRowRect(index).top;
        int32_t thick = m_lineRect.bottom - m_lineRect.top;
        painter.DrawImage(m_line, { m_lineRect.left, h - thick, m_lineRect.right, h });
        return true;
    }

    void OnRowClicked(int32_t index, int32_t, int32_t) override
    {
        if (Report)
            Report(GetEntry(index).name);
    }

    bool MatchesFilter(int32_t index, const std::wstring& filter) override
    {
        return GetEntry(index).name.find(filter) != std::wstring::npos;
    }

    std::function<void(const std::wstring&)> Report;

private:
    static constexpr int kStatuses = 4;

    void Append(int32_t kind, int32_t height, Entry entry)
    {
        UxListRow row;
        row.kind = kind;
        row.fullHeight = height;
        row.data = m_entries.size();
        m_entries.push_back(std::move(entry));
        AddRow(row);
    }
    static bool Image(UxXmlNode* node, const wchar_t* name, UxImageItem& item, plat::RECT& rect)
    {
        UxXmlNode* look = node->FindChild(name);
        rect = UxXmlNode::GetRect(look ? look->FindChild(L"_Rect") : nullptr);
        return look && item.ApplySkin(look);
    }
    // The same look in "TextColorSelected", for the selected row.
    static bool Selected(UxXmlNode* node, const wchar_t* name, const UxTextItem& item, UxTextItem& selected)
    {
        UxTextStyle style = item.GetStyle();
        style.TextColor = UxXmlNode::GetColor(node->FindChild(name)->FindChild(L"TextColorSelected"));
        return selected.SetStyle(style);
    }
    static bool Text(UxXmlNode* node, const wchar_t* name, UxTextItem& item, plat::RECT& rect)
    {
        UxXmlNode* look = node->FindChild(name);
        rect = UxXmlNode::GetRect(look ? look->FindChild(L"_Rect") : nullptr);
        return look && item.ApplySkin(look);
    }

    std::vector<Entry> m_entries;
    int32_t m_itemHeight = 0;
    int32_t m_headerHeight = 0;
    plat::COLORREF m_back = 0xFFFFFF;
    plat::COLORREF m_headerColour = 0;
    UxImageItem m_selection, m_line, m_groupOpen, m_groupFolded;
    UxImageItem m_icons[kStatuses];
    UxTextItem m_groupName, m_name, m_nameSelected, m_nick, m_nickSelected;
    plat::RECT m_selectionRect, m_lineRect, m_groupIconRect, m_groupNameRect, m_iconRect, m_nameRect, m_nickRect;
};

// Numbered colour chips side by side, wider together than the window: it scrolls
// sideways only. Keys: "Chips", "ChipWidth" and the text item "ChipText".
class GalleryChipStrip : public UxScrollWindow {
public:
    GalleryChipStrip() { GetYAxis().SetDraggable(false); }

    bool ApplySkin(UxXmlNode* node) override
    {
        if (!node || !UxScrollWindow::ApplySkin(node))
            return false;
        m_chips = UxXmlNode::GetInt(node->FindChild(L"Chips"));
        m_chipWidth = UxXmlNode::GetInt(node->FindChild(L"ChipWidth"));
        UxXmlNode* text = node->FindChild(L"ChipText");
        if (!text || !m_text.ApplySkin(text))
            return false;
        SetContentSize(m_chips * m_chipWidth, GetHeight());
        return true;
    }

    bool PaintBackground(UxDeviceContext* surface, const plat::RECT& rect) override
    {
        surface->FillRect(0xF5F2F0, rect);
        return true;
    }

    bool PaintContent(UxDeviceContext* surface, const plat::RECT& dest, const plat::RECT& content) override
    {
        static const plat::COLORREF colours[] = { 0xE6A05C, 0x6CC46C, 0x4C9CF0, 0xB07CD8, 0x5CC8D8, 0x7C7CE8 };
        if (m_chipWidth <= 0)
            return true;
        for (int32_t i = content.left / m_chipWidth; i < m_chips && i * m_chipWidth < content.right; ++i) {
            // The chip in surface space, with a gap of 4 on each side.
            int32_t left = dest.left + i * m_chipWidth - content.left;
            plat::RECT chip { left + 4, dest.top - content.top + 4, left + m_chipWidth - 4,
                dest.top - content.top + GetHeight() - 12 };
            plat::RECT part;
            if (!IntersectRect(chip, dest, &part) || IsRectEmpty(part))
                continue;
            surface->FillRect(colours[i % 6], part);
            m_text.SetText(std::to_wstring(i + 1));
            m_text.Draw(*surface, chip, part);
        }
        return true;
    }

private:
    int32_t m_chips = 0;
    int32_t m_chipWidth = 0;
    UxTextItem m_text;
};
