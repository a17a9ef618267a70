#pragma once

#include "platform/main_services.h"
#include "rename/undo_record.h"

namespace qm {

// Click on 按钮_撤回上一步: renames the rows of the last commit back to their
// recorded names, after checking that the list still shows what the commit
// left behind. The record stays as it is.
void UndoCommit(MainServices& services, const UndoRecord& undo);

// Click on 按钮_保存到txt: writes the listed names to "原文件名保存.txt" in
// the program's folder, one per line; when that folder cannot be written, in
// the user's documents folder, and the message says where.
void ExportNames(MainServices& services);

// The export file's bytes: every non-empty name followed by CR LF.
std::string ExportText(const ListView& list);

}  // namespace qm
