#pragma once

#include "ux/core/UxText.h"

#include <cstdlib>
#include <cxxabi.h>
#include <string>
#include <typeinfo>

namespace ux_detail {

// "BuddyList" for class BuddyList: the name the singleton warning carries.
inline std::wstring ClassDisplayName(const std::type_info& type)
{
    int status = 0;
    char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = (status == 0 && demangled) ? demangled : type.name();
    std::free(demangled);
    return FromUtf8(name);
}

} // namespace ux_detail

// Base of every process-wide service. One instance pointer per class; a second
// instance is allowed but traced, and the pointer then follows the newest object.
template <typename T> class UxSingleton {
public:
    UxSingleton()
    {
        if (s_instance) {
            std::wstring where
                = L"UxSingleton<class " + ux_detail::ClassDisplayName(typeid(T)) + L">::UxSingleton";
            UxTrace(L"[UX+] %s, Singleton object can have only an instance at a time.\n", where.c_str());
        }
        s_instance = this; // T is not constructed yet: cast only when asked
    }
    virtual ~UxSingleton() { s_instance = nullptr; }

    UxSingleton(const UxSingleton&) = delete;
    UxSingleton& operator=(const UxSingleton&) = delete;

    static T* GetInstance() { return static_cast<T*>(s_instance); }

private:
    static inline UxSingleton* s_instance = nullptr;
};

// Deletes through the virtual destructor and clears the variable.
template <typename T> void SafeDelete(T*& object)
{
    if (object) {
        delete object;
        object = nullptr;
    }
}
