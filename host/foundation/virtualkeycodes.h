#pragma once
// The platform's virtual-key codes that have a meaning of their own in this code base. The GUI
// delivers keys as these codes; every other code is passed on without being interpreted.

namespace VirtualKey
{
constexpr unsigned int kSpace = 0x20;    ///< the space bar (32)
constexpr unsigned int kAdd = 0x6B;      ///< plus on the numeric keypad (107)
constexpr unsigned int kSubtract = 0x6D; ///< minus on the numeric keypad (109)
constexpr unsigned int kF6 = 0x75;       ///< 117
constexpr unsigned int kF7 = 0x76;       ///< 118
constexpr unsigned int kF8 = 0x77;       ///< 119
constexpr unsigned int kF9 = 0x78;       ///< 120
constexpr unsigned int kOemPlus = 0xBB;  ///< the plus key of the main keyboard (187)
constexpr unsigned int kOemMinus = 0xBD; ///< the minus key of the main keyboard (189)
} // namespace VirtualKey
