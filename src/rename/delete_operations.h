#pragma once

#include <optional>

#include "base/gbk_text_type.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "rename/rename_run.h"

namespace qm {

// The delete group: pure transforms from the inputs read at the click and a
// name to the new name (nullopt: the entry is left alone), and the operation
// definitions that plug them into RenameRun.

enum class Occurrence { First, Last };

struct MarkerPair {
  GbkText marker1;
  Occurrence occurrence1 = Occurrence::First;
  GbkText marker2;
  Occurrence occurrence2 = Occurrence::First;
  bool keep_markers = false;  // 选择框6 unchecked: only the text between them goes
};

// 按钮_一键删除 on a stem: marker 2 is looked for after marker 1 (or, both
// last, marker 1 before the last marker 2). nullopt when no such pair exists.
std::optional<GbkText> DeleteBetweenMarkersInStem(const MarkerPair& markers, const GbkText& stem);
// 按钮_一键删除 on a folder name: both markers are looked for over the whole
// name and marker 1 must start before marker 2.
std::optional<GbkText> DeleteBetweenMarkersInName(const MarkerPair& markers, const GbkText& name);

struct AnchoredDeletion {
  GbkText text;
  std::optional<Occurrence> occurrence;  // nullopt: neither radio button checked
  bool delete_text = false;              // "框里内容一起删"
};

// 按钮_删前面: keeps the text and what follows it.
std::optional<GbkText> DeleteBefore(const AnchoredDeletion& deletion, const GbkText& text);
// 按钮_删后面: keeps what precedes the text, and the text.
std::optional<GbkText> DeleteAfter(const AnchoredDeletion& deletion, const GbkText& text);

enum class DeleteDirection { LeftToRight, RightToLeft };

// 按钮_删掉N次: deletes `part` up to `times` times from the chosen end.
// nullopt when part does not occur; a count below 1 deletes nothing.
std::optional<GbkText> DeleteNTimes(const GbkText& part, int times, DeleteDirection direction,
                                    const GbkText& text);

// 按钮1: removes the first run of digits, unless it starts beyond the byte
// limit (nullopt: no limit).
std::optional<GbkText> DeleteSequenceNumber(std::optional<int> byte_limit, const GbkText& text);

enum class SymbolStyle { HalfWidth, FullWidth };

// The symbols of the six pairs ，。（）【】 in the chosen width.
GbkText ConvertSymbols(const GbkText& field, SymbolStyle style);

// Handlers of the delete page that are not rename runs.
// An item of 组合框1 was picked: converts 编辑框1 to 编辑框3.
void SymbolStyleSelected(Form& form);
// 选择框_1头/1尾/2头/2尾 was clicked: a checked box unchecks its partner.
// Returns false for any other control.
bool OccurrenceBoxClicked(Form& form, Control box);

OperationDefinition DeleteBetweenMarkersOperation();
OperationDefinition DeleteBeforeOperation();
OperationDefinition DeleteAfterOperation();
OperationDefinition DeleteNTimesOperation();
OperationDefinition DeleteSequenceNumberOperation();

}  // namespace qm
