#pragma once

#include "platform/controls.h"

namespace qm {

// The text a "?" button of MainWindow shows in the ExplanationWindow, as
// UTF-8; nullptr for any other control.
const char* HelpTextOf(Control button);

}  // namespace qm
