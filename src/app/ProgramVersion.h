#pragma once

// The version and build number the program was built as. They belong to the program, not to
// the registry store: an installed store is the administrator's file and outlives upgrades.
namespace programversion {

inline constexpr const char* kVersion = NOMIRA_VERSION;
inline constexpr const char* kBuildNumber = NOMIRA_BUILD_NUMBER;

} // namespace programversion
