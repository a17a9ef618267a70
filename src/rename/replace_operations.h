#pragma once

#include <optional>

#include "base/gbk_text_type.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "rename/rename_run.h"
#include "text/script_tables.h"

namespace qm {

// The replace group: pure transforms from the inputs read at the click and a
// name to the new name (nullopt: the entry is left alone), and the operation
// definitions that plug them into RenameRun.

enum class ReplaceScope {
  AfterLeadingNumber,  // 单选框7 "只改数字后符号": one occurrence within the first 8 bytes
  Unlimited,           // 单选框8 "不限制"
};
enum class ReplaceDirection { FromLeft, FromRight };

struct TextReplacement {
  GbkText find;
  GbkText replacement;
  int count = 1;  // negative: every occurrence
  ReplaceScope scope = ReplaceScope::AfterLeadingNumber;
  ReplaceDirection direction = ReplaceDirection::FromLeft;
};

// 按钮_替换.
std::optional<GbkText> ReplaceText(const TextReplacement& replacement, const GbkText& text);

// 按钮_改01: widens the first digit run with zeros for a list of row_count rows.
std::optional<GbkText> ZeroFillLeadingNumber(int row_count, const GbkText& text);

// 按钮_繁简: the whole name through the script table.
std::optional<GbkText> ConvertChineseScript(ScriptDirection direction, const GbkText& name);

// 单选框15 / 单选框16 was clicked: the caption of 按钮_繁简 follows the selected
// radio button. Returns false for any other control.
bool ScriptRadioClicked(Form& form, Control radio);

OperationDefinition ReplaceTextOperation();
OperationDefinition ZeroFillLeadingNumberOperation();
OperationDefinition ConvertChineseScriptOperation();

}  // namespace qm
