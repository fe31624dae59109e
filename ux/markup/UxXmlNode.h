#pragma once

#include "platform/event/Message.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One node of a markup tree. The node owns its children. The value of a node is the
// name of its first child (an element whose text is 240 has one text child "240"); the
// typed getters read that text.
class UxXmlNode {
public:
    enum Kind : int32_t {
        ProcessingInstruction = 0,
        CData = 1,
        Comment = 2,
        Element = 3,
        Text = 4,
    };

    UxXmlNode();
    virtual ~UxXmlNode();
    UxXmlNode(const UxXmlNode&) = delete;
    UxXmlNode& operator=(const UxXmlNode&) = delete;

    int32_t GetKind() const { return m_kind; }
    // The element or instruction name; the text of comment, CDATA and text nodes.
    const std::wstring& GetName() const { return m_name; }
    // The first child's name, "" without children.
    std::wstring GetText() const;
    // First element child with exactly this name, else null.
    UxXmlNode* FindChild(const std::wstring& name) const;
    size_t GetChildCount() const { return m_children.size(); }
    UxXmlNode* GetChild(size_t index) const
    {
        return index < m_children.size() ? m_children[index] : nullptr;
    }

    // Inserts a new node at index, or appends it when index is negative or past the end.
    UxXmlNode* NewChild(int32_t index);
    // An existing name keeps its first value.
    void AddAttribute(const std::wstring& name, const std::wstring& value);
    // "" when there is no such attribute.
    std::wstring GetAttribute(const std::wstring& name) const;

    // Each sets the kind and the name and drops attributes and children.
    void SetProcessingInstruction(const std::wstring& name) { Reset(ProcessingInstruction, name); }
    void SetCData(const std::wstring& text) { Reset(CData, text); }
    void SetComment(const std::wstring& text) { Reset(Comment, text); }
    void SetElement(const std::wstring& name) { Reset(Element, name); }
    void SetText(const std::wstring& text) { Reset(Text, text); }
    // Back to a fresh node: an element named "UX+" with nothing in it.
    void Clear() { Reset(Element, L"UX+"); }

    // Typed values of the node's text. Each gives its zero value for a node without
    // children, and the static forms for a null node too.
    int32_t GetInt() const; // decimal with optional sign, clamped to 32 bits
    float GetFloat() const; // digits with an optional '.'; any other character gives 0
    bool GetBool() const; // only "True"
    uint32_t GetColor() const; // "#rrggbb" as red | green << 8 | blue << 16
    plat::POINT GetPoint() const; // "x, y"
    plat::RECT GetRect() const; // "x, y, width, height"

    static int32_t GetInt(const UxXmlNode* node) { return node ? node->GetInt() : 0; }
    static float GetFloat(const UxXmlNode* node) { return node ? node->GetFloat() : 0; }
    static bool GetBool(const UxXmlNode* node) { return node && node->GetBool(); }
    static uint32_t GetColor(const UxXmlNode* node) { return node ? node->GetColor() : 0; }
    static plat::POINT GetPoint(const UxXmlNode* node) { return node ? node->GetPoint() : plat::POINT {}; }
    static plat::RECT GetRect(const UxXmlNode* node) { return node ? node->GetRect() : plat::RECT {}; }
    static std::wstring GetText(const UxXmlNode* node) { return node ? node->GetText() : std::wstring(); }

private:
    void Reset(int32_t kind, const std::wstring& name);
    void DeleteChildren();

    int32_t m_kind = Element;
    std::wstring m_name = L"UX+";
    std::map<std::wstring, std::wstring> m_attributes;
    std::vector<UxXmlNode*> m_children;
};
