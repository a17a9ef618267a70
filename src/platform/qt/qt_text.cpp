#include "platform/qt/qt_text.h"

#include "base/encoding.h"

namespace qm {
namespace {

// Length of the GB18030 unit that starts at position i, by the shape of its
// lead byte; a malformed unit counts as one byte.
size_t UnitLength(const GbkText& text, size_t i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  if (lead < 0x80 || lead == 0x80 || lead == 0xFF || i + 1 >= text.size()) return 1;
  unsigned char second = byte(i + 1);
  if (second >= 0x30 && second <= 0x39) return i + 3 < text.size() ? 4 : 1;
  return 2;
}

QString ToQStringUnitByUnit(const GbkText& text) {
  QString out;
  for (size_t i = 0; i < text.size();) {
    size_t length = UnitLength(text, i);
    Result<std::string> unit = InternalToUtf8(std::string_view(text).substr(i, length));
    if (unit.ok()) {
      out += QString::fromUtf8(unit.value().data(), static_cast<qsizetype>(unit.value().size()));
      i += length;
    } else {
      out += QChar(QChar::ReplacementCharacter);
      i += 1;
    }
  }
  return out;
}

// Calls visit(start, length, has_form) for each character of text: a
// surrogate pair counts as one, a lone half as one without a form.
template <class Visit>
void ForEachCharacter(const QString& text, Visit visit) {
  for (qsizetype i = 0; i < text.size();) {
    QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      visit(i, 2, true);
      i += 2;
    } else {
      visit(i, 1, !c.isSurrogate());
      i += 1;
    }
  }
}

bool HasInternalForm(QStringView character) {
  if (character.front().isSurrogate() && character.size() == 1) return false;
  if (character.front().unicode() < 0x80) return true;
  QByteArray utf8 = character.toUtf8();
  return Utf8ToInternal(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size()))).ok();
}

}  // namespace

QString CharactersWithoutInternalForm(const QString& text) {
  QString found;
  QByteArray utf8 = text.toUtf8();
  if (QStringView(text).isValidUtf16() &&
      Utf8ToInternal(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size()))).ok()) {
    return found;
  }
  ForEachCharacter(text, [&](qsizetype start, qsizetype length, bool whole) {
    QStringView character = QStringView(text).mid(start, length);
    if (!whole || !HasInternalForm(character)) found += character;
  });
  return found;
}

QString WithoutCharactersLackingInternalForm(const QString& text) {
  QString kept;
  ForEachCharacter(text, [&](qsizetype start, qsizetype length, bool whole) {
    QStringView character = QStringView(text).mid(start, length);
    if (whole && HasInternalForm(character)) kept += character;
  });
  return kept;
}

QString ToQString(const GbkText& text) {
  Result<std::string> utf8 = InternalToUtf8(text);
  if (!utf8.ok()) return ToQStringUnitByUnit(text);
  return QString::fromUtf8(utf8.value().data(), static_cast<qsizetype>(utf8.value().size()));
}

GbkText FromQString(const QString& text) {
  QByteArray utf8 = text.toUtf8();
  return Utf8ToInternalLenient(
      std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

}  // namespace qm
