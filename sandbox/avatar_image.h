#pragma once
// Avatars of the hosted accounts: a symmetric 5 x 5 pattern in one colour, derived from a seed.

#include <cstdint>
#include <string>

namespace sandbox {

inline constexpr int kAvatarSide = 80;

// A kAvatarSide x kAvatarSide BMP; the same seed always gives the same picture.
std::string RenderAvatar(std::uint64_t seed);

}  // namespace sandbox
