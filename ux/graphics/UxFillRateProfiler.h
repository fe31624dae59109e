#pragma once

#include "ux/core/UxSingleton.h"

#include <cstdint>
#include <vector>

// Per-paint composition statistics: reset by each paint, active while the screen is
// composed.
class UxFillRateProfiler : public UxSingleton<UxFillRateProfiler> {
public:
    struct Record {
        int32_t Width = 0;
        int32_t Height = 0;
        int32_t Method = 0;
    };

    void Reset()
    {
        m_count = 0;
        m_records.clear();
        m_pixels = 0;
    }
    void SetActive(bool active) { m_active = active ? 1 : 0; }
    bool IsActive() const { return m_active != 0; }
    void Add(const Record& record)
    {
        ++m_count;
        m_records.push_back(record);
        m_pixels += int64_t(record.Width) * record.Height;
    }
    int32_t GetCount() const { return m_count; }
    int64_t GetPixels() const { return m_pixels; }

private:
    uint8_t m_active = 0;
    int32_t m_count = 0;
    std::vector<Record> m_records;
    int64_t m_pixels = 0;
};
