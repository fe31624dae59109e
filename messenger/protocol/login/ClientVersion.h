#pragma once

// The program's version: what the version check and the sign-in tell the service, and
// what the service information shows.
inline constexpr const wchar_t* kClientVersion = L"1.0.3";
