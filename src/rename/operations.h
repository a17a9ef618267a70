#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "platform/main_services.h"
#include "rename/rename_run.h"

namespace qm {

// The rename operations, one per button of MainWindow. Each has one entry in
// the registry (operations.cpp); all run through RenameRun.
enum class OperationId {
  DeleteAfter,               // 按钮_删后面
  DeleteBefore,              // 按钮_删前面
  DeleteNTimes,              // 按钮_删掉N次
  DeleteBetweenMarkers,      // 按钮_一键删除
  DeleteSequenceNumber,      // 按钮1
  InsertAtFront,             // 按钮_最前面加
  InsertAtEnd,               // 按钮_最后面加
  InsertAtAnchor,            // 按钮_在某物前后加
  AppendAfterExtension,      // 按钮_扩展名后面加
  InsertAfterLeadingNumber,  // 按钮_数字后加符号
  ReplaceText,               // 按钮_替换
  ZeroFillLeadingNumber,     // 按钮_改01
  ConvertChineseScript,      // 按钮_繁简
  DigitsToChineseNumerals,   // 按钮_15改十五
  ChineseNumeralsToDigits,   // 按钮_十五改15
  NumberEntries,             // 按钮_加序号
  AppendAvNumber,            // 按钮_模拟B站AV
  ChangeExtension,           // 按钮_改扩展
  RegexReplace,              // 按钮_正则替换
  NameFromInfo,              // 按钮_按信息命名
  ToPinyin,                  // 按钮_转拼音
};

// Everything about one operation.
struct OperationEntry {
  OperationId id;
  Control button;                       // the button that starts it
  std::string_view name;                // a stable English name, as a command line writes it
  RunProfile profile;                   // the run's fixed settings
  OperationDefinition (*definition)();  // how it reads its inputs, and its transform
  // Every control whose value the definition reads: a change to one of them
  // changes what the operation would do.
  std::vector<Control> inputs = {};
};

// Every operation, in the order of OperationId.
std::span<const OperationEntry> Operations();
const OperationEntry& EntryOf(OperationId operation);
const RunProfile& ProfileOf(OperationId operation);

// The operation a button starts, if any.
std::optional<OperationId> OperationOfButton(Control button);
// The operation that reads a control, if any.
std::optional<OperationId> OperationOfInput(Control input);

// Runs the operation over the listed entries, reading its inputs from the
// controls as they are now.
RunEnd RunOperation(OperationId operation, MainServices& services);

}  // namespace qm
