// The list of stored profiles that lives for the whole run (loaded by the main window).
#pragma once

#include "profiles/profile_codec.h"

namespace kx {

ProfileList& StoredProfiles();

}  // namespace kx
