#include "platform/reminder.h"

#include "base/encoding.h"

namespace qm {

void ShowReminder(Messages& messages, const char* utf8) {
  ShowReminder(messages, Utf8ToInternalLenient(utf8));
}

void ShowReminder(Messages& messages, const GbkText& text) {
  static const GbkText title = Utf8ToInternalLenient("提醒：");
  messages.Show(text, title, Icon::Information, Buttons::Ok);
}

}  // namespace qm
