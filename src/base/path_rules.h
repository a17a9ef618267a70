#pragma once

#include <string_view>

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

// True when text holds a character no file name may hold on Windows: \ / : * ?
// " < > |. Such a text is refused whatever the platform, so a list stays
// portable. Text in the internal encoding is walked character by character,
// since a two-byte character may end in the byte of \ or |.
bool HasForbiddenCharacter(std::string_view text);

}  // namespace qm
