#pragma once

// Run-time class records: a class name and the record of its base, null for a root.
// Classes that take part return their record from a virtual GetRuntimeClass().
class UxRuntimeClass {
public:
    constexpr UxRuntimeClass(const wchar_t* className, const UxRuntimeClass* base)
        : m_className(className)
        , m_base(base)
    {
    }
    virtual constexpr ~UxRuntimeClass() = default;
    UxRuntimeClass(const UxRuntimeClass&) = delete;
    UxRuntimeClass& operator=(const UxRuntimeClass&) = delete;

    const wchar_t* GetClassName() const { return m_className; }
    const UxRuntimeClass* GetBase() const { return m_base; }

    // True when this record or one of its bases is record (by identity).
    bool IsDerivedFrom(const UxRuntimeClass* record) const;

    // The edit document's glyph classes: a root and its three kinds.
    static const UxRuntimeClass EditGlyph;
    static const UxRuntimeClass EditGlyphAnchor;
    static const UxRuntimeClass EditGlyphText;
    static const UxRuntimeClass EditGlyphImage;

private:
    const wchar_t* m_className;
    const UxRuntimeClass* m_base;
};

// Whether object's class is record's class or derives from it; false for null.
template <typename T> bool IsKindOf(const T* object, const UxRuntimeClass* record)
{
    return object && object->GetRuntimeClass() && object->GetRuntimeClass()->IsDerivedFrom(record);
}
