#pragma once

#include "platform/system/Trace.h"

#include <algorithm>
#include <string>
#include <vector>

// Collects every trace line written while it lives (and keeps them off standard error).
class TraceCapture {
public:
    TraceCapture()
    {
        plat::SetTraceHook([this](const std::wstring& s) { lines.push_back(s); });
    }
    ~TraceCapture() { plat::SetTraceHook(nullptr); }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    bool Contains(const std::wstring& part) const
    {
        return std::any_of(lines.begin(), lines.end(),
            [&](const std::wstring& l) { return l.find(part) != std::wstring::npos; });
    }

    std::vector<std::wstring> lines;
};
