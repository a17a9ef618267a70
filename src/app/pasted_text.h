#pragma once

class QLineEdit;
class QString;
class QWidget;

namespace qm {

class Messages;

// What the user calls a field: the caption of the label just left of it on
// the same line, else the one just above it, else the title of the nearest
// titled group around it.
QString FieldName(QWidget* field);

// A pasted lone surrogate half (or a character the converter cannot map)
// would become "�" in every new name: it is taken out of edit at once,
// the caret kept in place, and a message names the field.
void RefuseTextWithoutInternalForm(QLineEdit* edit, QWidget* field, Messages& messages);

}  // namespace qm
