#include "platform/gdi/FontLibrary.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
        if (face)
            FT_Done_Face(face); // closes its stream
    m_streams.clear();
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
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd >= 0 && fstat(fd, &info) == 0 && info.st_size > 0) {
        auto stream = std::make_unique<FT_StreamRec>();
        stream->size = static_cast<unsigned long>(info.st_size);
        stream->descriptor.value = fd;
        stream->read = ReadStream;
        stream->close = CloseStream;
        FT_Open_Args args {};
        args.flags = FT_OPEN_STREAM;
        args.stream = stream.get();
        // FreeType closes the stream when the face goes, or at once when it fails.
        if (FT_Open_Face(m_ft, &args, index, &face) != 0)
            face = nullptr;
        m_streams.push_back(std::move(stream));
    } else if (fd >= 0) {
        ::close(fd);
    }
    m_faces.emplace(key, face); // a failure is remembered too
    return face;
}

unsigned long FontLibrary::ReadStream(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count)
{
    // A count of 0 asks for a seek, which fails (non-zero) past the end.
    if (count == 0)
        return offset > stream->size ? 1 : 0;
    const int fd = static_cast<int>(stream->descriptor.value);
    if (fd < 0 || offset >= stream->size)
        return 0;
    unsigned long done = 0;
    while (done < count) {
        const ssize_t got = pread(fd, buffer + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<unsigned long>(got);
    }
    return done;
}

void FontLibrary::CloseStream(FT_Stream stream)
{
    if (stream->descriptor.value >= 0)
        ::close(static_cast<int>(stream->descriptor.value));
    stream->descriptor.value = -1;
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
