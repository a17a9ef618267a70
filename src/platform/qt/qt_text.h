#pragma once

#include <QString>

#include "platform/gbk_text_type.h"

namespace qm {

// Qt strings are UTF-16; the program's texts are in the internal encoding.
// A text with bytes the internal encoding does not define (a character cut in
// half by a byte-counted operation) shows U+FFFD for each such byte.
QString ToQString(const GbkText& text);
GbkText FromQString(const QString& text);

}  // namespace qm
