#pragma once

#include <QString>

#include "base/gbk_text_type.h"

namespace qm {

// Qt strings are UTF-16; the program's texts are in the internal encoding.
// A text with bytes the internal encoding does not define (a character cut in
// half by a byte-counted operation) shows U+FFFD for each such byte.
QString ToQString(const GbkText& text);
GbkText FromQString(const QString& text);

// The characters of text the internal encoding cannot hold: lone surrogate
// halves, which have no encoding at all, and the few characters the system's
// converter does not map. FromQString would turn each into U+FFFD.
QString CharactersWithoutInternalForm(const QString& text);

// text without those characters.
QString WithoutCharactersLackingInternalForm(const QString& text);

}  // namespace qm
