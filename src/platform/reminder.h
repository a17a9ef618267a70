#pragma once

#include "base/gbk_text_type.h"
#include "platform/messages.h"

namespace qm {

// The reminder box: the title "提醒：", the information icon and one OK button.
// A text written in the source goes in as its UTF-8 C string and is converted
// here; a text made at run time (a path joined in) goes in already in the
// internal encoding. Taking the one as a C string keeps the other from being
// converted twice by mistake.
void ShowReminder(Messages& messages, const char* utf8);
void ShowReminder(Messages& messages, const GbkText& text);

}  // namespace qm
