#include "platform/gdi/FontLibrary.h"

namespace plat {

std::shared_ptr<FontLibrary> FontLibrary::Get()
{
    static std::shared_ptr<FontLibrary> library = std::make_shared<FontLibrary>();
    return library;
}

FontLibrary::FontLibrary()
{
    if (FT_Init_FreeType(&m_ft) != 0)
        m_ft = nullptr;
    m_config = FcInitLoadConfigAndFonts();
}

FontLibrary::~FontLibrary()
{
    m_instances.clear();
    for (auto& [key, face] : m_faces)
        FT_Done_Face(face);
    if (m_ft)
        FT_Done_FreeType(m_ft);
    if (m_config)
        FcConfigDestroy(m_config);
}

FT_Face FontLibrary::OpenFace(const std::string& file, int index)
{
    if (!m_ft)
        return nullptr;
    auto key = std::make_pair(file, index);
    auto it = m_faces.find(key);
    if (it != m_faces.end())
        return it->second;
    FT_Face face = nullptr;
    if (FT_New_Face(m_ft, file.c_str(), index, &face) != 0)
        face = nullptr;
    m_faces.emplace(key, face); // a failure is remembered too
    return face;
}

std::shared_ptr<FontInstance> FontLibrary::FindInstance(const std::string& key)
{
    auto it = m_instances.find(key);
    if (it == m_instances.end())
        return nullptr;
    auto instance = it->second.lock();
    if (!instance)
        m_instances.erase(it);
    return instance;
}

void FontLibrary::AddInstance(const std::string& key, const std::shared_ptr<FontInstance>& instance)
{
    for (auto it = m_instances.begin(); it != m_instances.end();) {
        if (it->second.expired())
            it = m_instances.erase(it);
        else
            ++it;
    }
    m_instances[key] = instance;
}

const FontLibrary::Match* FontLibrary::FindMatch(const std::string& key) const
{
    auto it = m_matches.find(key);
    return it == m_matches.end() ? nullptr : &it->second;
}

void FontLibrary::AddMatch(const std::string& key, const Match& match)
{
    m_matches[key] = match;
}

} // namespace plat
