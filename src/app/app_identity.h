#pragma once

#include <QIcon>

namespace qm {

// The reverse-DNS id that ties the window to its menu entry: the desktop file,
// the icon and the AppStream metadata carry this name.
inline constexpr char kApplicationId[] = "io.github.quillmere.Quillmere";

// The installed icon of the desktop's theme, or the copy built into the program
// when it runs from a folder of its own.
QIcon ApplicationIcon();

}  // namespace qm
