// Numbered trace marks placed at interesting points of the code. They record
// nothing in this build: both cost nothing and are safe from any thread.
#pragma once

#include <cstdint>

namespace qm {

// id names the call site; value is -1 where the code should never arrive.
inline void Keypoint(int32_t id, int32_t value) noexcept {
  (void)id;
  (void)value;
}

// Marks a measured section: begins with a non-zero id and ends when the
// guard leaves its scope.
class ProfilePoint {
public:
  explicit ProfilePoint(int32_t id) noexcept { (void)id; }
  ~ProfilePoint() = default;
  ProfilePoint(const ProfilePoint&) = delete;
  ProfilePoint& operator=(const ProfilePoint&) = delete;
};

} // namespace qm
