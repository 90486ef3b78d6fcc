#include "profiles/stored_profiles.h"

namespace kx {

ProfileList& StoredProfiles() {
  static ProfileList list;
  return list;
}

}  // namespace kx
