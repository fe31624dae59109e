#pragma once

namespace plat {

// Base of the objects a device context selects (bitmaps and fonts). Deleting an object
// that is still selected somewhere is refused, so no context is left pointing at it.
class GdiObject {
public:
    enum class Kind { Bitmap, Font };

    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Kind GetKind() const { return m_kind; }

    // Stock objects belong to the process: selecting them is always allowed and
    // deleting them does nothing.
    bool IsStock() const { return m_stock; }
    void MarkStock() { m_stock = true; }

    // Number of device contexts that have it selected.
    int GetSelectionCount() const { return m_selections; }
    void AddSelection() { ++m_selections; }
    void RemoveSelection() { --m_selections; }

protected:
    explicit GdiObject(Kind kind)
        : m_kind(kind)
    {
    }

private:
    Kind m_kind;
    bool m_stock = false;
    int m_selections = 0;
};

} // namespace plat
