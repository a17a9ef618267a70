#pragma once

#include <optional>

#include "base/gbk_text_type.h"
#include "platform/main_services.h"
#include "rename/rename_run.h"
#include "text/regex_replace.h"

namespace qm {

// The regular-expression group of the "高级" page: a find-and-replace whose
// pattern and replacement follow PCRE2.

// How a pattern that does not compile is told: "正则表达式有误：…（第N个字符）".
GbkText RegexErrorText(const RegexError& error);

// The pattern of 编辑框_正则查找 with the options of the page's check boxes,
// compiled; the error as the user reads it when it does not compile.
std::variant<RegexReplacer, GbkText> CompileRegexOfForm(const Form& form);

// What the replacer makes of one text, as a transform returns it.
NameResult ApplyRegex(const RegexReplacer& replacer, const GbkText& text);

// 按钮_正则替换.
OperationDefinition RegexReplaceOperation();

}  // namespace qm
