#include "platform/gdi/Font.h"

#include "platform/gdi/FontInstance.h"

namespace plat {

FontInstance& Font::Instance()
{
    if (!m_instance)
        m_instance = FontInstance::Realize(m_description);
    return *m_instance;
}

} // namespace plat
