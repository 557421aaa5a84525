#pragma once

// Section and key names of the settings file and of the registry store.
namespace keys {

inline constexpr const char* kSystem = "SYSTEM";
inline constexpr const char* kPath = "PATH";
inline constexpr const char* kWork = "WORK";
inline constexpr const char* kExpanPreviewInfo1 = "ExpanPreviewInfo1";
inline constexpr const char* kExpanPreviewInfo2 = "ExpanPreviewInfo2";

inline constexpr const char* kNomiraRegistryKey = "SOFTWARE\\Orvane\\DelmoSolution\\Nomira";
inline constexpr const char* kQuentryRegistryKey = "SOFTWARE\\ORVANE\\DelmoSolution\\Quentry";

inline constexpr const char* kDefaultTargetExt = "TIF/TIFF/JPG/JPEG/PDF";

} // namespace keys
