#pragma once

#include "base/gbk_text_type.h"
#include "platform/main_services.h"
#include "workspace/intake_guard.h"

namespace qm {

// The desktop guard of every intake and run: when WorkingFolder lies in a
// "Desktop" folder (any case) or in the user's desktop folder of the XDG user
// dirs, tells the user why, empties WorkingFolder and returns true.
bool RefuseDesktopFolder(MainServices& services);

// Click on 按钮_手动读取: empties the list, asks for a folder (the dialog opens
// at WorkingFolder when there is one), sets
// WorkingFolder and lists the folder's entries for the processing mode.
void ChooseFolder(MainServices& services, IntakeGuard& guard);

// 按钮_手动读取 with folder as the dialog's answer (a folder given when the
// program starts): the same guard, messages and entries.
void ReadFolder(MainServices& services, IntakeGuard& guard, const GbkText& folder);

// Appends the entries of WorkingFolder for the current mode and filters; the
// list is not emptied first.
void ReloadFolder(MainServices& services, IntakeGuard& guard);

}  // namespace qm
