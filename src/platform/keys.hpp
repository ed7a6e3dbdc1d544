// Virtual key codes the game asks about.
#pragma once

namespace vormelda {

inline constexpr int VK_RETURN = 13;
inline constexpr int VK_LEFT = 37;
inline constexpr int VK_UP = 38;
inline constexpr int VK_RIGHT = 39;
inline constexpr int VK_DOWN = 40;
inline constexpr int VK_X = 88;
inline constexpr int VK_Z = 90;

}  // namespace vormelda
