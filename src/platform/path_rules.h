#pragma once

namespace qm {

// How a path splits into folder and name. Windows rules also stop at ":" and
// "\"; POSIX rules split at "/" only, where ":" and "\" are ordinary characters.
enum class PathRules { Windows, Posix };

#ifdef _WIN32
inline constexpr PathRules kNativePathRules = PathRules::Windows;
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr PathRules kNativePathRules = PathRules::Posix;
inline constexpr char kPathSeparator = '/';
#endif

}  // namespace qm
