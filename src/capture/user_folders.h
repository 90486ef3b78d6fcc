// The platform's per-user folders that the capture settings start from.
#pragma once

#include <string>

namespace kx {

// The user's Pictures folder; empty when the platform cannot tell.
std::wstring UserPicturesFolder();

}  // namespace kx
