#pragma once

// Virtual-key codes and the input-method flags of WM_IME_COMPOSITION, with the numbers
// the toolkit's key handling was written against.

#include <cstdint>

namespace plat {

constexpr uint32_t VK_BACK = 0x08;
constexpr uint32_t VK_TAB = 0x09;
constexpr uint32_t VK_RETURN = 0x0D;
constexpr uint32_t VK_SHIFT = 0x10;
constexpr uint32_t VK_CONTROL = 0x11;
constexpr uint32_t VK_MENU = 0x12;
constexpr uint32_t VK_ESCAPE = 0x1B;
constexpr uint32_t VK_SPACE = 0x20;
constexpr uint32_t VK_PRIOR = 0x21;
constexpr uint32_t VK_NEXT = 0x22;
constexpr uint32_t VK_END = 0x23;
constexpr uint32_t VK_HOME = 0x24;
constexpr uint32_t VK_LEFT = 0x25;
constexpr uint32_t VK_UP = 0x26;
constexpr uint32_t VK_RIGHT = 0x27;
constexpr uint32_t VK_DOWN = 0x28;
constexpr uint32_t VK_INSERT = 0x2D;
constexpr uint32_t VK_DELETE = 0x2E;
constexpr uint32_t VK_F1 = 0x70;
constexpr uint32_t VK_F4 = 0x73;
constexpr uint32_t VK_F9 = 0x78;
constexpr uint32_t VK_F10 = 0x79;
// The menu key beside the right Control.
constexpr uint32_t VK_APPS = 0x5D;
constexpr uint32_t VK_HANGUL = 0x15;
constexpr uint32_t VK_HANJA = 0x19;

constexpr uint32_t GCS_COMPSTR = 0x0008;
constexpr uint32_t GCS_RESULTSTR = 0x0800;

} // namespace plat
