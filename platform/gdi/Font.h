#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiTypes.h"

#include <memory>

namespace plat {

class FontInstance;

// A font handle: the description it was made from, made real (faces found, size set)
// the first time text is measured or drawn with it.
class Font : public GdiObject {
public:
    explicit Font(const LOGFONTW& description)
        : GdiObject(Kind::Font)
        , m_description(description)
    {
    }

    const LOGFONTW& Description() const { return m_description; }
    FontInstance& Instance();

private:
    LOGFONTW m_description;
    std::shared_ptr<FontInstance> m_instance;
};

} // namespace plat
