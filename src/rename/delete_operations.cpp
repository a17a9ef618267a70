#include "rename/delete_operations.h"

#include <array>
#include <utility>

#include "text/gbk_text.h"
#include "workspace/name_functions.h"

namespace qm {
namespace {

int FindOccurrence(const GbkText& text, const GbkText& part, Occurrence occurrence) {
  return occurrence == Occurrence::Last ? ReverseFind(text, part) : Find(text, part);
}

// Removes the one-based byte range [from, to) of text.
GbkText Cut(const GbkText& text, int from, int to) {
  return text.substr(0, from - 1) + text.substr(to - 1);
}

Occurrence OccurrenceOf(const Form& form, Control last_box) {
  return form.IsChecked(last_box) ? Occurrence::Last : Occurrence::First;
}

Notice NotFoundNotice(Icon icon) { return {Gbk("找不到需要改的文件名"), Gbk("提示"), icon}; }

// The count question of the two operations that count before asking.
GbkText WillBeRenamed(int count) { return Gbk("一共有") + ToText(count) + Gbk("个文件将被更名"); }

}  // namespace

std::optional<GbkText> DeleteBetweenMarkersInStem(const MarkerPair& markers, const GbkText& stem) {
  const int length1 = Length(markers.marker1);
  const int length2 = Length(markers.marker2);
  int p1 = -1;
  int p2 = -1;
  if (markers.occurrence1 == Occurrence::Last && markers.occurrence2 == Occurrence::Last) {
    p2 = ReverseFind(stem, markers.marker2);
    if (p2 == -1) return std::nullopt;
    // Marker 1 must end before the last marker 2 starts.
    p1 = ReverseFind(stem, markers.marker1, p2);
    if (p1 == -1) return std::nullopt;
  } else {
    p1 = FindOccurrence(stem, markers.marker1, markers.occurrence1);
    if (p1 == -1) return std::nullopt;
    p2 = markers.occurrence2 == Occurrence::Last ? ReverseFind(stem, markers.marker2)
                                                 : Find(stem, markers.marker2, p1 + length1);
    if (p2 == -1 || p2 < p1 + length1) return std::nullopt;
  }
  GbkText result = stem.substr(0, p1 - 1);
  if (markers.keep_markers) result += markers.marker1 + markers.marker2;
  result += stem.substr(p2 + length2 - 1);
  return result;
}

std::optional<GbkText> DeleteBetweenMarkersInName(const MarkerPair& markers, const GbkText& name) {
  const int length1 = Length(markers.marker1);
  const int length2 = Length(markers.marker2);
  const int p1 = FindOccurrence(name, markers.marker1, markers.occurrence1);
  const int p2 = FindOccurrence(name, markers.marker2, markers.occurrence2);
  if (p1 == -1 || p2 == -1 || p1 >= p2) return std::nullopt;
  // The segment is cut where the markers were found. Searching for its text
  // again from marker 1 on could match inside marker 1 itself (marker "ab",
  // content "aba") and cut the wrong bytes.
  if (markers.keep_markers) {
    if (p2 <= p1 + length1) return name;  // nothing between the markers
    return Cut(name, p1 + length1, p2);
  }
  return Cut(name, p1, p2 + length2);
}

std::optional<GbkText> DeleteBefore(const AnchoredDeletion& deletion, const GbkText& text) {
  if (!deletion.occurrence) return std::nullopt;
  const int p = FindOccurrence(text, deletion.text, *deletion.occurrence);
  if (p == -1) return std::nullopt;
  GbkText kept = text.substr(p - 1);
  if (deletion.delete_text) kept = Replace(kept, deletion.text, {}, 1, 1);
  return kept;
}

std::optional<GbkText> DeleteAfter(const AnchoredDeletion& deletion, const GbkText& text) {
  if (!deletion.occurrence) return std::nullopt;
  const int p = FindOccurrence(text, deletion.text, *deletion.occurrence);
  if (p == -1) return std::nullopt;
  GbkText kept = Left(text, p - 1);
  if (!deletion.delete_text) kept += deletion.text;
  return kept;
}

std::optional<GbkText> DeleteNTimes(const GbkText& part, int times, DeleteDirection direction,
                                    const GbkText& text) {
  const bool from_right = direction == DeleteDirection::RightToLeft;
  const int p = from_right ? ReverseFind(text, part) : Find(text, part);
  if (p == -1) return std::nullopt;
  if (times < 1) return text;
  if (!from_right) return Replace(text, part, {}, p, times);
  GbkText result = text;
  for (int i = 0; i < times; ++i) {
    const int q = ReverseFind(result, part);
    if (q == -1) break;
    result = Replace(result, part, {}, q, 1);
  }
  return result;
}

std::optional<GbkText> DeleteSequenceNumber(std::optional<int> byte_limit, const GbkText& text) {
  const GbkText digits = FirstDigitRun(text);
  if (digits.empty()) return std::nullopt;
  // The first occurrence of the run is the run itself: no digit precedes it.
  if (byte_limit && *byte_limit < Find(text, digits)) return std::nullopt;
  return Replace(text, digits, {}, 1, 1);
}

GbkText ConvertSymbols(const GbkText& field, SymbolStyle style) {
  static const std::array<std::pair<GbkText, GbkText>, 6> pairs = {{
      {Gbk("，"), GbkText(",")},
      {Gbk("。"), GbkText(".")},
      {Gbk("（"), GbkText("(")},
      {Gbk("）"), GbkText(")")},
      {Gbk("【"), GbkText("[")},
      {Gbk("】"), GbkText("]")},
  }};
  GbkText result = field;
  for (const auto& [full, half] : pairs) {
    result =
        style == SymbolStyle::HalfWidth ? Replace(result, full, half) : Replace(result, half, full);
  }
  return result;
}

void SymbolStyleSelected(Form& form) {
  const int index = form.ComboIndex(Control::组合框1);
  if (index < 0) return;
  const GbkText item = form.ComboItem(Control::组合框1, index);
  SymbolStyle style;
  if (item == Gbk("中文符号")) {
    style = SymbolStyle::FullWidth;
  } else if (item == Gbk("英文符号") || item == Gbk("B站括号")) {
    style = SymbolStyle::HalfWidth;
  } else {
    return;
  }
  for (Control field : {Control::编辑框1, Control::编辑框2, Control::编辑框3}) {
    form.SetText(field, ConvertSymbols(form.Text(field), style));
  }
}

bool OccurrenceBoxClicked(Form& form, Control box) {
  Control partner;
  switch (box) {
    case Control::选择框_1头:
      partner = Control::选择框_1尾;
      break;
    case Control::选择框_1尾:
      partner = Control::选择框_1头;
      break;
    case Control::选择框_2头:
      partner = Control::选择框_2尾;
      break;
    case Control::选择框_2尾:
      partner = Control::选择框_2头;
      break;
    default:
      return false;
  }
  // Both boxes of a pair may be unchecked; that reads as first occurrence.
  if (form.IsChecked(box)) form.SetChecked(partner, false);
  return true;
}

OperationDefinition DeleteBetweenMarkersOperation() {
  OperationDefinition definition;
  definition.prepare = [](MainServices& services, bool folder_mode) {
    const Form& form = services.form;
    MarkerPair markers{form.Text(Control::编辑框2), OccurrenceOf(form, Control::选择框_1尾),
                       form.Text(Control::编辑框3), OccurrenceOf(form, Control::选择框_2尾),
                       !form.IsChecked(Control::选择框6)};
    auto transform = [markers, folder_mode](const GbkText& text, const EntryContext&) {
      return folder_mode ? DeleteBetweenMarkersInName(markers, text)
                         : DeleteBetweenMarkersInStem(markers, text);
    };
    PreparedOperation prepared;
    prepared.transform = transform;
    prepared.count_first =
        CountFirst{[transform](const GbkText& text, const EntryContext& entry) {
                     return transform(text, entry).has_value();
                   },
                   [](bool) { return NotFoundNotice(Icon::None); },
                   [](int count, bool in_folders) {
                     GbkText text = in_folders ? Gbk("总共有") + ToText(count) + Gbk("个需要改名")
                                               : WillBeRenamed(count);
                     return Notice{text, Gbk("确定改名吗？"), Icon::Information};
                   }};
    return prepared;
  };
  return definition;
}

namespace {

// Delete before and delete after read the same kind of controls: the text,
// its "框里内容一起删" box and a first/last radio pair (neither checked skips).
OperationDefinition AnchoredDeletionOperation(
    Control text, Control delete_text_box, Control first, Control last,
    std::optional<GbkText> (*apply)(const AnchoredDeletion&, const GbkText&)) {
  OperationDefinition definition;
  definition.prepare = [=](MainServices& services, bool) {
    const Form& form = services.form;
    AnchoredDeletion deletion{form.Text(text), std::nullopt, form.IsChecked(delete_text_box)};
    if (form.IsChecked(first)) {
      deletion.occurrence = Occurrence::First;
    } else if (form.IsChecked(last)) {
      deletion.occurrence = Occurrence::Last;
    }
    PreparedOperation prepared;
    prepared.transform = [deletion, apply](const GbkText& name, const EntryContext&) {
      return apply(deletion, name);
    };
    return prepared;
  };
  return definition;
}

}  // namespace

OperationDefinition DeleteBeforeOperation() {
  return AnchoredDeletionOperation(Control::编辑框8, Control::选择框3, Control::单选框11,
                                   Control::单选框12, &DeleteBefore);
}

OperationDefinition DeleteAfterOperation() {
  return AnchoredDeletionOperation(Control::编辑框9, Control::选择框4, Control::单选框1,
                                   Control::单选框2, &DeleteAfter);
}

OperationDefinition DeleteNTimesOperation() {
  OperationDefinition definition;
  definition.prepare = [](MainServices& services, bool folder_mode) {
    const Form& form = services.form;
    const GbkText part = form.Text(Control::编辑框1);
    const GbkText count_text = form.Text(Control::编辑框10);
    const int times = count_text.empty() ? 1 : ToInteger(count_text);
    const DeleteDirection direction = form.IsChecked(Control::单选框14)
                                          ? DeleteDirection::RightToLeft
                                          : DeleteDirection::LeftToRight;
    // A count that is not a number leaves every entry alone; only file mode says so.
    const bool unreadable_count = !count_text.empty() && times == 0;
    PreparedOperation prepared;
    prepared.transform = [=](const GbkText& text, const EntryContext&) -> std::optional<GbkText> {
      if (unreadable_count) return std::nullopt;
      return DeleteNTimes(part, times, direction, text);
    };
    prepared.count_first = CountFirst{
        [part](const GbkText& text, const EntryContext&) { return Find(text, part) != -1; },
        [](bool in_folders) {
          return in_folders ? Notice{Gbk("没有东西可以改"), Gbk("没有改动"), Icon::Information}
                            : NotFoundNotice(Icon::Information);
        },
        [](int count, bool) {
          return Notice{WillBeRenamed(count), Gbk("请确认"), Icon::Information};
        }};
    if (unreadable_count && !folder_mode) {
      prepared.after_question =
          AfterQuestion{Notice{Gbk("输入的不是纯数字"), Gbk("提示"), Icon::Information}, false};
    }
    return prepared;
  };
  return definition;
}

OperationDefinition DeleteSequenceNumberOperation() {
  OperationDefinition definition;
  definition.prepare = [](MainServices& services, bool folder_mode) {
    const GbkText limit_text = services.form.Text(Control::编辑框15);
    std::optional<int> limit;
    if (!limit_text.empty()) limit = ToInteger(limit_text);
    PreparedOperation prepared;
    // An all-digit stem leaves the bare extension (01.mp3 becomes .mp3). With
    // no extension to keep, the new name would be empty, which would name the
    // working folder itself: such an entry is left alone.
    prepared.allow_empty_result = true;
    prepared.transform = [limit, folder_mode](const GbkText& text,
                                              const EntryContext& entry) -> std::optional<GbkText> {
      auto result = DeleteSequenceNumber(limit, text);
      if (result && result->empty() && (folder_mode || entry.extension.empty())) {
        return std::nullopt;
      }
      return result;
    };
    return prepared;
  };
  return definition;
}

}  // namespace qm
