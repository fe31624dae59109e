#pragma once

// The threads of this process by name, as /proc shows them.

#include <filesystem>
#include <fstream>
#include <string>

// Threads whose name starts with prefix.
inline int ThreadsNamed(const std::string& prefix)
{
    int count = 0;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        count += name.rfind(prefix, 0) == 0;
    }
    return count;
}
