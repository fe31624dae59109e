#include "ux/core/UxFileWriter.h"

#include "platform/system/FileSystem.h"
#include "ux/core/UxFileReader.h"

UxFileWriter::~UxFileWriter()
{
    if (m_file)
        std::fclose(m_file);
}

bool UxFileWriter::Open(const std::wstring& path, int mode)
{
    if (mode != 0 && mode != 1)
        return m_file != nullptr;
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_file = plat::OpenFile(path, mode == 0 ? "wb" : "ab");
    return m_file != nullptr;
}

bool UxFileWriter::Seek(int64_t offset, int origin)
{
    return ux_detail::SeekFile(m_file, offset, origin);
}

int64_t UxFileWriter::Tell()
{
    return m_file ? static_cast<int64_t>(ftello(m_file)) : -1;
}

bool UxFileWriter::Write(const void* data, uint32_t count)
{
    if (!m_file) {
        m_lastCount = 0;
        return false;
    }
    if (count == 0) {
        m_lastCount = 0;
        return true;
    }
    m_lastCount = static_cast<uint32_t>(std::fwrite(data, 1, count, m_file));
    return m_lastCount == count;
}
