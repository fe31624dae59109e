#include "ux/core/UxFileReader.h"

#include "platform/system/FileSystem.h"

namespace ux_detail {

bool SeekFile(FILE* file, int64_t offset, int origin)
{
    if (!file)
        return false;
    static const int kWhence[] = { SEEK_SET, SEEK_CUR, SEEK_END };
    if (origin < 0 || origin > 2)
        return true;
    return fseeko(file, static_cast<off_t>(offset), kWhence[origin]) == 0;
}

} // namespace ux_detail

UxFileReader::~UxFileReader()
{
    if (m_file)
        std::fclose(m_file);
}

bool UxFileReader::Open(const std::wstring& path)
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_file = plat::OpenFile(path, "rb");
    return m_file != nullptr;
}

bool UxFileReader::Seek(int64_t offset, int origin)
{
    return ux_detail::SeekFile(m_file, offset, origin);
}

int64_t UxFileReader::Tell()
{
    return m_file ? static_cast<int64_t>(ftello(m_file)) : -1;
}

bool UxFileReader::Read(void* buffer, uint32_t count)
{
    m_lastCount = m_file && count ? static_cast<uint32_t>(std::fread(buffer, 1, count, m_file)) : 0;
    return m_file && m_lastCount == count;
}
