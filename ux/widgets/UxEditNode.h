#pragma once

#include "platform/event/Message.h"

#include <cstddef>
#include <cstdint>

class UxDeviceContext;

// What an edit's content is made of: glyphs and the paragraphs, lines and runs they are
// laid out into. Nodes of one level form a doubly linked chain; each knows the node that
// holds it and its rectangle in document space.
class UxEditNode {
public:
    UxEditNode() = default;
    virtual ~UxEditNode() = default;
    UxEditNode(const UxEditNode&) = delete;
    UxEditNode& operator=(const UxEditNode&) = delete;

    // Draws the part of the node inside clip (document space) into dc, where the
    // document's origin lies at origin.
    virtual bool Draw(UxDeviceContext& dc, const plat::POINT& origin, const plat::RECT& clip);

    UxEditNode* GetParent() const { return m_parent; }
    void SetParent(UxEditNode* parent) { m_parent = parent; }
    UxEditNode* GetPrev() const { return m_prev; }
    UxEditNode* GetNext() const { return m_next; }

    const plat::RECT& GetRect() const { return m_rect; }
    void SetRect(const plat::RECT& rect) { m_rect = rect; }
    int32_t GetWidth() const { return m_rect.right - m_rect.left; }
    int32_t GetHeight() const { return m_rect.bottom - m_rect.top; }
    void Offset(int32_t dx, int32_t dy);

    // a.next = b and b.prev = a; either may be null.
    static void Link(UxEditNode* a, UxEditNode* b);
    // Unlinks first..last (to the end of the chain when last is null), closes the gap
    // and deletes them.
    static void DeleteRange(UxEditNode* first, UxEditNode* last = nullptr);
    // Number of predecessors.
    static size_t Index(const UxEditNode* node);
    // Heights over first..last (inclusive; to the end when last is null).
    static int32_t TotalHeight(const UxEditNode* first, const UxEditNode* last = nullptr);
    static int32_t MinHeight(const UxEditNode* first, const UxEditNode* last = nullptr);
    static int32_t MaxHeight(const UxEditNode* first, const UxEditNode* last = nullptr);

protected:
    plat::RECT m_rect;

private:
    UxEditNode* m_parent = nullptr;
    UxEditNode* m_prev = nullptr;
    UxEditNode* m_next = nullptr;
};
