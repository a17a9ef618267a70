#pragma once

#include <string>

#include "base/result.h"

namespace qm {

// Moves the file, folder or link at path (UTF-8, absolute) into the
// freedesktop.org trash of its own file system: the home trash
// ($XDG_DATA_HOME/Trash) when it lives on the same file system, else
// $topdir/.Trash/$uid or $topdir/.Trash-$uid at the top of the file system.
// Nothing is ever copied across file systems: when no trash can take the
// entry by a rename, it fails and stays where it was.
Result<void> MoveToFreedesktopTrash(const std::string& path);

// The Path= value of a .trashinfo file: bytes other than unreserved URI
// characters and "/" become %XX.
std::string TrashInfoPathEncode(const std::string& path);

}  // namespace qm
