#pragma once

// Root of the toolkit's class tree: objects are deleted through it.
class UxObject {
public:
    UxObject() = default;
    virtual ~UxObject() = default;
    UxObject(const UxObject&) = delete;
    UxObject& operator=(const UxObject&) = delete;
};
