#pragma once

// An environment variable changed for as long as the object lives; what it held before
// (or its absence) comes back when the object goes.
//
//     ScopedEnv path("PATH");
//     path.Set(folder.Native() + ":" + path.Previous());

#include <cstdlib>
#include <optional>
#include <string>

class ScopedEnv {
public:
    explicit ScopedEnv(std::string name)
        : m_name(std::move(name))
    {
        if (const char* value = std::getenv(m_name.c_str()))
            m_previous = value;
    }
    ScopedEnv(std::string name, const std::string& value)
        : ScopedEnv(std::move(name))
    {
        Set(value);
    }
    ~ScopedEnv()
    {
        if (m_previous)
            setenv(m_name.c_str(), m_previous->c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

    void Set(const std::string& value) const { setenv(m_name.c_str(), value.c_str(), 1); }
    void Unset() const { unsetenv(m_name.c_str()); }
    // What the variable held when the object was made; "" when it was not set.
    std::string Previous() const { return m_previous.value_or(""); }

private:
    std::string m_name;
    std::optional<std::string> m_previous;
};
