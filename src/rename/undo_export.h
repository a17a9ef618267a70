#pragma once

#include "base/result.h"
#include "platform/main_services.h"
#include "rename/undo_record.h"

namespace qm {

// Click on 按钮_撤回上一步: takes back the newest rename of the undo history,
// after checking that its files are still as that rename left them; taken
// back wholly, or never to be, it leaves the history and the next press takes
// back the one before.
void UndoCommit(MainServices& services);

// Click on 按钮_保存到txt: writes the listed names to "原文件名保存.txt" in
// the program's folder, one per line; when that folder cannot be written, in
// the user's documents folder, and the message says where.
void ExportNames(MainServices& services);

// The export file's bytes: every non-empty name in UTF-8, as names are on
// disk, followed by CR LF. An error when a name has no UTF-8 form.
Result<std::string> ExportText(const ListView& list);

}  // namespace qm
