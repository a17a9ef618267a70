#pragma once

#include "platform/main_services.h"

namespace qm {

// At start, from the journals a earlier run of the program left behind:
//  * a run that never finished (a crash, a power loss) is offered, in one
//    question, to have its names put back; declined, it becomes undoable;
//  * the last finished run becomes the undo record, so "撤回上一步" still
//    undoes it after a restart.
// Needs services.renames.
void ResumeAfterStart(MainServices& services);

}  // namespace qm
